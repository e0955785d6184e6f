#include "store/disk/journal.h"

#include "store/format/path_text.h"
#include "store/format/saved_bytes.h"
#include "store/format/store_error.h"

#include <algorithm>
#include <exception>
#include <map>
#include <ranges>
#include <set>
#include <string_view>

namespace roomwright {

namespace {

// The journal, all numbers little-endian: the magic "RWJOURNL" and a version (u32), then
// entries, each its payload's length (u32), the payload, and an FNV-1a checksum (u64) of
// the payload. A payload is a kind byte and what the kind needs:
//   'L' path, existed (u8), length (u64)   the file's existence and length before
//   'B' path, offset (u64), bytes           the bytes the file held at the offset before
//   'C'                                     the operation is complete
// A path is its length (u16) and the file's path under the data directory, '/'-separated.
constexpr std::string_view kMagic = "RWJOURNL";
constexpr std::uint32_t kVersion = 1;
constexpr std::size_t kHeader = kMagic.size() + 4;

void putEntry(Bytes& out, const Bytes& payload) {
    put(out, payload.size(), 4);
    out.insert(out.end(), payload.begin(), payload.end());
    put(out, checksumOf(payload), 8);
}

Bytes header() {
    Bytes out;
    for (const char c : kMagic) {
        out.push_back(std::byte(c));
    }
    put(out, kVersion, 4);
    return out;
}

Bytes undoPayload(const JournaledFiles::Undo& undo, const Path& root) {
    const Path relative = undo.file.lexically_normal().lexically_relative(root);
    const std::string name = utf8Text(relative);
    if (name.empty() || relative.is_absolute() || *relative.begin() == "..") {
        throw StoreError(undo.file, "write",
                         "it lies outside the data directory " + utf8Text(root));
    }
    Bytes payload;
    payload.push_back(std::byte(undo.lengthOnly ? 'L' : 'B'));
    put(payload, name.size(), 2);
    for (const char c : name) {
        payload.push_back(std::byte(c));
    }
    if (undo.lengthOnly) {
        put(payload, undo.existed ? 1 : 0, 1);
        put(payload, undo.offset, 8);
    } else {
        put(payload, undo.offset, 8);
        payload.insert(payload.end(), undo.bytes.begin(), undo.bytes.end());
    }
    return payload;
}

// A path a journal names, when it is one under the data directory.
std::optional<Path> pathUnder(const Path& root, std::span<const std::byte> bytes) {
    std::string name(bytes.size(), '\0');
    std::ranges::transform(bytes, name.begin(), [](std::byte b) { return char(b); });
    const Path relative = pathFromUtf8(name);
    if (name.empty() || name.find('\0') != std::string::npos || relative.is_absolute() ||
        relative.has_root_name() || relative.has_root_directory() ||
        std::ranges::any_of(relative, [](const Path& part) { return part == ".."; })) {
        return std::nullopt;
    }
    return root / relative;
}

struct ReadJournal {
    bool committed = false;
    std::vector<JournaledFiles::Undo> undo;
};

// Reads the entries up to the first that is cut short or damaged: the change such an entry
// was to guard was never made, nor any after it. The journal is read entry by entry, never
// whole: a journal of any size costs only the entries it holds.
ReadJournal readJournal(FileSystem& disk, const Path& journal, const Path& root) {
    ReadJournal read;
    const auto in = disk.openForReading(journal);
    std::uint64_t left = disk.size(journal);
    Bytes header(kHeader);
    if (!in || left < kHeader || in->read(header) < kHeader ||
        !std::ranges::equal(std::span(header).first(kMagic.size()), kMagic, {}, {},
                            [](char c) { return std::byte(c); }) ||
        SavedReader(std::span(header).subspan(kMagic.size())).number(4) != kVersion) {
        return read;
    }
    left -= kHeader;
    constexpr std::uint64_t kFraming = 4 + 8; // the length before a payload, the checksum after
    while (left >= kFraming) {
        Bytes word(4);
        in->read(word);
        const std::uint64_t length = SavedReader(word).number(4);
        if (length == 0 || length > left - kFraming) {
            break;
        }
        Bytes bytes(static_cast<std::size_t>(length + 8));
        if (in->read(bytes) < bytes.size()) {
            break;
        }
        left -= kFraming + length;
        const auto payload = std::span<const std::byte>(bytes).first(bytes.size() - 8);
        if (SavedReader(std::span<const std::byte>(bytes).last(8)).number(8) !=
            checksumOf(payload)) {
            break;
        }
        SavedReader entry(payload);
        const char kind = char(entry.number(1));
        if (kind == 'C') {
            read.committed = true;
            break;
        }
        if ((kind != 'L' && kind != 'B') || entry.left() < 2) {
            break;
        }
        const auto nameLength = static_cast<std::size_t>(entry.number(2));
        if (entry.left() < nameLength + (kind == 'L' ? 9 : 8)) {
            break;
        }
        const auto file = pathUnder(root, entry.take(nameLength));
        if (!file) {
            break;
        }
        JournaledFiles::Undo undo{*file, kind == 'L', false, 0, {}};
        if (undo.lengthOnly) {
            undo.existed = entry.number(1) != 0;
            undo.offset = entry.number(8);
        } else {
            undo.offset = entry.number(8);
            const auto old = entry.take(entry.left());
            undo.bytes.assign(old.begin(), old.end());
        }
        read.undo.push_back(std::move(undo));
    }
    return read;
}

// Refuses, as damage of the journal, whole entries that no operation writes: an operation
// notes a file's existence and length once, before any of its old bytes, and only bytes
// the file held; and what it holds puts every byte back, so that an undo never leaves a
// stretch of a file it holds no bytes for (which a journal naming an offset of a terabyte
// would have the file grow by).
void refuseImpossible(FileSystem& disk, const Path& journal,
                      const std::vector<JournaledFiles::Undo>& undo) {
    using Stretches = std::vector<std::pair<std::uint64_t, std::uint64_t>>;
    std::map<Path, std::pair<const JournaledFiles::Undo*, Stretches>> files;
    for (const JournaledFiles::Undo& step : undo) {
        const std::string name = utf8Text(step.file);
        auto& [before, stretches] = files[step.file];
        if (step.lengthOnly) {
            if (before != nullptr) {
                throw DamageError(journal, "it notes the length of " + name + " twice");
            }
            before = &step;
            continue;
        }
        const std::uint64_t end = step.offset + step.bytes.size();
        if (before == nullptr || !before->existed || end > before->offset || end < step.offset) {
            throw DamageError(journal, "it holds old bytes of " + name + " at " +
                                           std::to_string(step.offset) +
                                           ", beyond the length it noted for the file");
        }
        stretches.emplace_back(step.offset, end);
    }
    for (auto& [file, noted] : files) {
        Stretches& stretches = noted.second;
        std::ranges::sort(stretches);
        std::uint64_t whole = disk.size(file); // bytes 0 to here are there after the undo
        for (const auto& [from, to] : stretches) {
            if (from > whole) {
                throw DamageError(journal, "putting back " + utf8Text(file) +
                                               " would leave bytes " + std::to_string(whole) +
                                               " to " + std::to_string(from) +
                                               " that it does not hold");
            }
            whole = std::max(whole, to);
        }
    }
}

Path normalRoot(const Path& root) {
    Path normal = root.lexically_normal();
    return normal.has_filename() || !normal.has_parent_path() ? normal : normal.parent_path();
}

} // namespace

JournaledFiles::JournaledFiles(FileSystem& disk, Path root, Path journal)
    : disk_(disk), root_(normalRoot(root)), journal_(std::move(journal)) {}

void JournaledFiles::begin() {
    if (depth_ == 0) {
        clear();
        if (disk_.size(journal_) > 0) {
            recover();
        }
    }
    ++depth_;
}

bool JournaledFiles::commit() {
    if (--depth_ > 0) {
        return false;
    }
    if (spoiled_) {
        undoAll();
        throw DataError("A step of the operation failed, so none of it was saved.");
    }
    if (journalLength_ == 0) {
        clear();
        return false;
    }
    try {
        std::set<Path> directories;
        for (const Touched& touched : touched_) {
            disk_.sync(touched.file);
            if (!touched.existed || touched.renamed) {
                directories.insert(touched.file.parent_path());
            }
        }
        for (const Path& directory : directories) {
            disk_.syncDirectory(directory);
        }
    } catch (...) {
        undoAll();
        throw;
    }
    Bytes mark;
    putEntry(mark, Bytes{std::byte('C')});
    try {
        disk_.write(journal_, journalLength_, mark);
        disk_.sync(journal_);
    } catch (...) {
        // The mark is taken out again before the operation is undone. When it cannot be,
        // and it reads whole, the operation stands: its files are synced, and the next
        // start would keep them.
        bool stands = false;
        try {
            disk_.truncate(journal_, journalLength_);
        } catch (const std::exception&) {
            try {
                stands = readJournal(disk_, journal_, root_).committed;
            } catch (const std::exception&) {
                stands = false;
            }
        }
        if (!stands) {
            undoAll();
            throw;
        }
    }
    try {
        disk_.remove(journal_);
    } catch (const std::exception&) {
        // The operation stands: a journal marked complete is cleared at the next start.
    }
    clear();
    return true;
}

void JournaledFiles::abandon() noexcept {
    if (--depth_ > 0) {
        spoiled_ = true;
        return;
    }
    undoAll();
}

void JournaledFiles::undoAll() noexcept {
    if (!journalBegun_) {
        clear(); // nothing was changed, nor the journal begun
        return;
    }
    try {
        putBack(undo_);
        disk_.remove(journal_);
    } catch (const std::exception&) {
        // The journal stays: the next operation or start undoes what is left.
    }
    for (const Touched& touched : touched_) {
        if (undone_) {
            undone_(touched.file);
        }
    }
    clear();
}

bool JournaledFiles::recover() {
    const ReadJournal read = readJournal(disk_, journal_, root_);
    const bool undo = !read.committed && !read.undo.empty();
    if (undo) {
        refuseImpossible(disk_, journal_, read.undo);
        putBack(read.undo);
    }
    disk_.remove(journal_);
    if (undo && undone_) {
        for (const Undo& step : read.undo) {
            undone_(step.file);
        }
    }
    return undo;
}

bool JournaledFiles::pending() const {
    if (disk_.size(journal_) == 0) {
        return false;
    }
    const ReadJournal read = readJournal(disk_, journal_, root_);
    return !read.committed && !read.undo.empty();
}

void JournaledFiles::putBack(const std::vector<Undo>& undo) {
    std::set<Path> files;
    std::set<Path> directories;
    // A step that fails does not keep the others from putting back what they can; the
    // journal stays for the next try all the same.
    std::exception_ptr failure;
    for (const Undo& step : std::views::reverse(undo)) {
        try {
            refuseLinkedFolders(step.file);
            if (!step.lengthOnly) {
                disk_.write(step.file, step.offset, step.bytes);
            } else if (!step.existed) {
                disk_.remove(step.file);
                directories.insert(step.file.parent_path());
            } else if (disk_.size(step.file) > step.offset) {
                disk_.truncate(step.file, step.offset);
            }
        } catch (const std::exception&) {
            failure = failure ? failure : std::current_exception();
        }
        files.insert(step.file);
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
    for (const Path& file : files) {
        disk_.sync(file);
    }
    for (const Path& directory : directories) {
        disk_.syncDirectory(directory);
    }
}

void JournaledFiles::clear() noexcept {
    spoiled_ = false;
    journalBegun_ = false;
    journalLength_ = 0;
    touched_.clear();
    undo_.clear();
}

void JournaledFiles::note(const Path& file, std::uint64_t from, std::uint64_t to) {
    std::vector<Undo> steps;
    auto touched = std::ranges::find(touched_, file, &Touched::file);
    if (touched == touched_.end()) {
        Touched first{file, disk_.openForReading(file) != nullptr, disk_.size(file), {}};
        steps.push_back({file, true, first.existed, first.length, {}});
        touched_.push_back(std::move(first));
        touched = touched_.end() - 1;
    }
    to = std::min(to, touched->length);
    const bool covered = std::ranges::any_of(touched->saved, [&](const auto& stretch) {
        return stretch.first <= from && to <= stretch.second;
    });
    if (from < to && !covered) {
        Undo old{file, false, true, from, Bytes(static_cast<std::size_t>(to - from))};
        old.bytes.resize(disk_.readAt(file, from, old.bytes));
        touched->saved.emplace_back(from, from + old.bytes.size());
        steps.push_back(std::move(old));
    }
    if (steps.empty()) {
        return;
    }
    Bytes out = journalLength_ == 0 ? header() : Bytes{};
    journalBegun_ = true;
    for (const Undo& step : steps) {
        putEntry(out, undoPayload(step, root_));
    }
    disk_.write(journal_, journalLength_, out);
    disk_.sync(journal_);
    if (journalLength_ == 0) {
        disk_.syncDirectory(journal_.parent_path());
    }
    journalLength_ += out.size();
    std::ranges::move(steps, std::back_inserter(undo_));
}

void JournaledFiles::refuseLinkedFolders(const Path& file) const {
    const Path relative = file.lexically_normal().lexically_relative(root_);
    if (relative.empty() || *relative.begin() == "..") {
        return; // not a file of the data directory: the journal refuses to note it
    }
    Path folder = root_;
    for (auto part = relative.begin(); std::next(part) != relative.end(); ++part) {
        folder /= *part;
        if (disk_.kindOf(folder) == EntryKind::Link) {
            throw StoreError(folder, "write in",
                             "it is a symbolic link, and nothing is written outside the data "
                             "directory " +
                                 utf8Text(root_),
                             "folder");
        }
    }
}

template <class Change>
void JournaledFiles::change(const Path& file, std::uint64_t from, std::uint64_t to, bool renames,
                            Change apply) {
    refuseLinkedFolders(file);
    if (depth_ == 0) {
        apply(); // not part of any operation
        return;
    }
    if (spoiled_) {
        throw StoreError(file, "write", "an earlier step of the same operation failed");
    }
    try {
        note(file, from, to);
        if (renames) {
            std::ranges::find(touched_, file, &Touched::file)->renamed = true;
        }
        apply();
    } catch (...) {
        spoiled_ = true;
        throw;
    }
}

void JournaledFiles::write(const Path& file, std::uint64_t offset,
                           std::span<const std::byte> bytes) {
    change(file, offset, offset + bytes.size(), false, [&] { disk_.write(file, offset, bytes); });
}

void JournaledFiles::truncate(const Path& file, std::uint64_t length) {
    change(file, length, disk_.size(file), false, [&] { disk_.truncate(file, length); });
}

void JournaledFiles::replaceWhole(const Path& file, const Path& temporary,
                                  std::span<const std::byte> bytes) {
    change(file, 0, disk_.size(file), true, [&] { disk_.replaceWhole(file, temporary, bytes); });
}

void JournaledFiles::remove(const Path& file) {
    change(file, 0, disk_.size(file), true, [&] { disk_.remove(file); });
}

void JournaledFiles::rename(const Path& from, const Path& to) {
    change(from, 0, disk_.size(from), true,
           [&] { change(to, 0, disk_.size(to), true, [&] { disk_.rename(from, to); }); });
}

} // namespace roomwright
