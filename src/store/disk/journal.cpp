#include "store/disk/journal.h"

#include "store/format/path_text.h"
#include "store/format/saved_bytes.h"
#include "store/format/store_error.h"

#include <algorithm>
#include <exception>
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
// was to guard was never made, nor any after it.
ReadJournal readJournal(std::span<const std::byte> bytes, const Path& root) {
    ReadJournal read;
    SavedReader reader(bytes);
    if (reader.left() < kHeader ||
        !std::ranges::equal(reader.take(kMagic.size()), kMagic, {}, {},
                            [](char c) { return std::byte(c); }) ||
        reader.number(4) != kVersion) {
        return read;
    }
    while (reader.left() >= 4) {
        const std::uint64_t length = reader.number(4);
        if (length == 0 || reader.left() < length + 8) {
            break;
        }
        const auto payload = reader.take(static_cast<std::size_t>(length));
        if (reader.number(8) != checksumOf(payload)) {
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

Path normalRoot(const Path& root) {
    Path normal = root.lexically_normal();
    return normal.has_filename() || !normal.has_parent_path() ? normal : normal.parent_path();
}

Bytes wholeJournal(FileSystem& disk, const Path& journal) {
    Bytes bytes(static_cast<std::size_t>(disk.size(journal)));
    bytes.resize(disk.readAt(journal, 0, bytes));
    return bytes;
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
            if (!touched.existed) {
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
                stands = readJournal(wholeJournal(disk_, journal_), root_).committed;
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
    const Bytes bytes = wholeJournal(disk_, journal_);
    const ReadJournal read = readJournal(bytes, root_);
    const bool undo = !read.committed && !read.undo.empty();
    if (undo) {
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
    const ReadJournal read = readJournal(wholeJournal(disk_, journal_), root_);
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

template <class Change>
void JournaledFiles::change(const Path& file, std::uint64_t from, std::uint64_t to, Change apply) {
    if (depth_ == 0) {
        apply(); // not part of any operation
        return;
    }
    if (spoiled_) {
        throw StoreError(file, "write", "an earlier step of the same operation failed");
    }
    try {
        note(file, from, to);
        apply();
    } catch (...) {
        spoiled_ = true;
        throw;
    }
}

void JournaledFiles::write(const Path& file, std::uint64_t offset,
                           std::span<const std::byte> bytes) {
    change(file, offset, offset + bytes.size(), [&] { disk_.write(file, offset, bytes); });
}

void JournaledFiles::truncate(const Path& file, std::uint64_t length) {
    change(file, length, disk_.size(file), [&] { disk_.truncate(file, length); });
}

void JournaledFiles::replaceWhole(const Path& file, const Path& temporary,
                                  std::span<const std::byte> bytes) {
    change(file, 0, disk_.size(file), [&] { disk_.replaceWhole(file, temporary, bytes); });
}

void JournaledFiles::remove(const Path& file) {
    change(file, 0, disk_.size(file), [&] { disk_.remove(file); });
}

} // namespace roomwright
