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
// The journal is written in blocks of about this size.
constexpr std::size_t kJournalBlock = 1 << 20;

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
    if (pending_.empty()) {
        clear();
        return false;
    }
    try {
        undo_ = undoSteps();
        // Written in blocks: an operation that changes years of records holds their old
        // bytes once, not a second time as one journal in memory.
        Bytes entries = header();
        journalBegun_ = true;
        for (const Undo& step : undo_) {
            putEntry(entries, undoPayload(step, root_));
            if (entries.size() >= kJournalBlock) {
                disk_.write(journal_, journalLength_, entries);
                journalLength_ += entries.size();
                entries.clear();
            }
        }
        disk_.write(journal_, journalLength_, entries);
        journalLength_ += entries.size();
        // The journal and its name are on the disk before any file changes.
        const Path folder = journal_.parent_path();
        disk_.syncTogether(std::span(&journal_, 1), std::span(&folder, 1));
        std::vector<Path> files;
        std::vector<Path> directories;
        apply(files, directories);
        disk_.syncTogether(files, directories);
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
    if (committed_) {
        for (const auto& [file, pending] : pending_) {
            committed_(file);
        }
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
    try {
        if (applied_) {
            putBack(undo_);
        }
        if (journalBegun_) {
            disk_.remove(journal_);
        }
    } catch (const std::exception&) {
        // The journal stays: the next operation or start undoes what is left.
    }
    if (undone_) {
        for (const auto& [file, pending] : pending_) {
            undone_(file);
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
    const std::vector<Path> synced(files.begin(), files.end());
    const std::vector<Path> named(directories.begin(), directories.end());
    disk_.syncTogether(synced, named);
}

void JournaledFiles::clear() noexcept {
    spoiled_ = false;
    journalBegun_ = false;
    applied_ = false;
    journalLength_ = 0;
    pending_.clear();
    undo_.clear();
}

std::vector<JournaledFiles::Undo> JournaledFiles::undoSteps() {
    std::vector<Undo> steps;
    for (const auto& [file, pending] : pending_) {
        steps.push_back({file, true, pending.existed, pending.diskLength, {}});
        if (!pending.existed) {
            continue;
        }
        // The disk's bytes the operation changes: what it wrote below `kept`, and all from
        // `kept` on.
        std::vector<std::pair<std::uint64_t, std::uint64_t>> stretches;
        for (const auto& [at, bytes] : pending.written) {
            if (at < pending.kept) {
                stretches.emplace_back(at, std::min(at + bytes.size(), pending.kept));
            }
        }
        if (pending.kept < pending.diskLength) {
            if (!stretches.empty() && stretches.back().second == pending.kept) {
                stretches.back().second = pending.diskLength;
            } else {
                stretches.emplace_back(pending.kept, pending.diskLength);
            }
        }
        for (const auto& [from, to] : stretches) {
            Undo old{file, false, true, from, Bytes(static_cast<std::size_t>(to - from))};
            old.bytes.resize(disk_.readAt(file, from, old.bytes));
            steps.push_back(std::move(old));
        }
    }
    return steps;
}

void JournaledFiles::apply(std::vector<Path>& files, std::vector<Path>& directories) {
    applied_ = true;
    std::set<Path> named;
    for (const auto& [file, pending] : pending_) {
        refuseLinkedFolders(file);
        if (pending.existed != pending.exists) {
            named.insert(file.parent_path());
        }
        if (!pending.exists) {
            if (pending.existed) {
                disk_.remove(file);
            }
            continue;
        }
        std::uint64_t end = 0; // the file's length on the disk as the changes go
        if (pending.existed) {
            if (pending.kept < pending.diskLength) {
                disk_.truncate(file, pending.kept);
            }
            end = pending.kept;
        } else if (pending.written.empty()) {
            disk_.write(file, 0, {}); // creates it
        }
        for (const auto& [at, bytes] : pending.written) {
            disk_.write(file, at, bytes);
            end = std::max(end, at + bytes.size());
        }
        if (end < pending.length) {
            disk_.truncate(file, pending.length);
        }
        files.push_back(file);
    }
    directories.assign(named.begin(), named.end());
}

const JournaledFiles::Pending* JournaledFiles::pendingFor(const Path& file) const {
    if (depth_ == 0) {
        return nullptr;
    }
    const auto found = pending_.find(file);
    return found == pending_.end() ? nullptr : &found->second;
}

std::size_t JournaledFiles::readPending(const Pending& pending, std::uint64_t offset,
                                        std::span<std::byte> into, FileReader* disk) const {
    if (!pending.exists || offset >= pending.length) {
        return 0;
    }
    const auto out = into.first(
        static_cast<std::size_t>(std::min<std::uint64_t>(into.size(), pending.length - offset)));
    std::size_t got = 0;
    if (offset < pending.kept && disk != nullptr) {
        disk->seek(offset);
        got = disk->read(out.first(
            static_cast<std::size_t>(std::min<std::uint64_t>(out.size(), pending.kept - offset))));
    }
    std::fill(out.begin() + static_cast<std::ptrdiff_t>(got), out.end(), std::byte{0});
    auto stretch = pending.written.upper_bound(offset);
    if (stretch != pending.written.begin()) {
        --stretch;
    }
    const std::uint64_t end = offset + out.size();
    for (; stretch != pending.written.end() && stretch->first < end; ++stretch) {
        const auto& [at, bytes] = *stretch;
        const std::uint64_t from = std::max(at, offset);
        const std::uint64_t to = std::min(at + bytes.size(), end);
        if (from < to) {
            std::copy(bytes.begin() + static_cast<std::ptrdiff_t>(from - at),
                      bytes.begin() + static_cast<std::ptrdiff_t>(to - at),
                      out.begin() + static_cast<std::ptrdiff_t>(from - offset));
        }
    }
    return out.size();
}

// A file read inside an operation: as the operation leaves it at the time of each read.
class JournaledFiles::Reader : public FileReader {
  public:
    Reader(const JournaledFiles& files, Path file, std::unique_ptr<FileReader> disk)
        : files_(files), file_(std::move(file)), disk_(std::move(disk)) {}

    std::size_t read(std::span<std::byte> into) override {
        std::size_t got = 0;
        if (const Pending* pending = files_.pendingFor(file_)) {
            got = files_.readPending(*pending, at_, into, disk_.get());
        } else if (disk_) {
            disk_->seek(at_);
            got = disk_->read(into);
        }
        at_ += got;
        return got;
    }
    void seek(std::uint64_t offset) override { at_ = offset; }

  private:
    const JournaledFiles& files_;
    Path file_;
    std::unique_ptr<FileReader> disk_;
    std::uint64_t at_ = 0;
};

std::uint64_t JournaledFiles::size(const Path& file) {
    const Pending* pending = pendingFor(file);
    return pending == nullptr ? disk_.size(file) : pending->exists ? pending->length : 0;
}

std::unique_ptr<FileReader> JournaledFiles::openForReading(const Path& file) {
    if (depth_ == 0) {
        return disk_.openForReading(file);
    }
    const Pending* pending = pendingFor(file);
    auto disk = disk_.openForReading(file);
    if (pending != nullptr ? !pending->exists : disk == nullptr) {
        return nullptr;
    }
    return std::make_unique<Reader>(*this, file, std::move(disk));
}

std::size_t JournaledFiles::readAt(const Path& file, std::uint64_t offset,
                                   std::span<std::byte> into) {
    const Pending* pending = pendingFor(file);
    if (pending == nullptr) {
        return disk_.readAt(file, offset, into);
    }
    const auto disk = pending->kept > offset ? disk_.openForReading(file) : nullptr;
    return readPending(*pending, offset, into, disk.get());
}

EntryKind JournaledFiles::kindOf(const Path& path) {
    const Pending* pending = pendingFor(path);
    return pending == nullptr ? disk_.kindOf(path)
           : pending->exists  ? EntryKind::File
                              : EntryKind::Missing;
}

std::vector<Path> JournaledFiles::list(const Path& directory) {
    std::vector<Path> entries = disk_.list(directory);
    if (depth_ == 0) {
        return entries;
    }
    for (const auto& [file, pending] : pending_) {
        if (file.parent_path() != directory || pending.existed == pending.exists) {
            continue;
        }
        if (pending.exists) {
            entries.push_back(file);
        } else {
            std::erase(entries, file);
        }
    }
    std::ranges::sort(entries);
    return entries;
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

template <class OnDisk, class InOperation>
void JournaledFiles::change(const Path& file, OnDisk onDisk, InOperation inOperation) {
    refuseLinkedFolders(file);
    if (depth_ == 0) {
        onDisk(); // not part of any operation
        return;
    }
    if (spoiled_) {
        throw StoreError(file, "write", "an earlier step of the same operation failed");
    }
    try {
        auto found = pending_.find(file);
        if (found == pending_.end()) {
            Pending first;
            first.existed = disk_.openForReading(file) != nullptr;
            first.diskLength = first.existed ? disk_.size(file) : 0;
            first.exists = first.existed;
            first.length = first.kept = first.diskLength;
            found = pending_.emplace(file, std::move(first)).first;
        }
        inOperation(found->second);
    } catch (...) {
        spoiled_ = true;
        throw;
    }
}

namespace {

// A stretch an operation wrote is joined with a neighbour it only touches while the two
// stay this small: a long run of neighbouring writes (years of records written back at
// once) stays a row of stretches instead of being copied whole again at every write.
constexpr std::size_t kJoinedTouching = 64 * 1024;

// Puts `bytes` at `offset` into the stretches an operation wrote: into the stretch that
// holds the place already, else as a stretch joined with those it overlaps (and small ones
// it touches).
void writeInto(std::map<std::uint64_t, Bytes>& written, std::uint64_t offset,
               std::span<const std::byte> bytes) {
    const std::uint64_t end = offset + bytes.size();
    const auto joins = [&](const Bytes& stretch, bool touching) {
        return touching && stretch.size() + bytes.size() <= kJoinedTouching;
    };
    auto first = written.upper_bound(offset);
    if (first != written.begin()) {
        const auto& [at, stretch] = *std::prev(first);
        const std::uint64_t stretchEnd = at + stretch.size();
        if (stretchEnd >= end) {
            // Within a stretch already written: over its bytes in place.
            std::ranges::copy(bytes, std::prev(first)->second.begin() +
                                         static_cast<std::ptrdiff_t>(offset - at));
            return;
        }
        if (stretchEnd > offset || joins(stretch, stretchEnd == offset)) {
            --first;
        }
    }
    std::uint64_t from = offset;
    std::uint64_t to = end;
    auto last = first;
    for (; last != written.end() && (last->first < end || joins(last->second, last->first == end));
         ++last) {
        from = std::min(from, last->first);
        to = std::max(to, last->first + last->second.size());
    }
    Bytes joined(static_cast<std::size_t>(to - from));
    for (auto stretch = first; stretch != last; ++stretch) {
        std::ranges::copy(stretch->second,
                          joined.begin() + static_cast<std::ptrdiff_t>(stretch->first - from));
    }
    std::ranges::copy(bytes, joined.begin() + static_cast<std::ptrdiff_t>(offset - from));
    written.erase(first, last);
    written.emplace(from, std::move(joined));
}

// Cuts the stretches back to `length`.
void cutBack(std::map<std::uint64_t, Bytes>& written, std::uint64_t length) {
    written.erase(written.lower_bound(length), written.end());
    if (!written.empty()) {
        auto& [at, bytes] = *written.rbegin();
        if (at + bytes.size() > length) {
            bytes.resize(static_cast<std::size_t>(length - at));
        }
    }
}

} // namespace

void JournaledFiles::write(const Path& file, std::uint64_t offset,
                           std::span<const std::byte> bytes) {
    change(
        file, [&] { disk_.write(file, offset, bytes); },
        [&](Pending& pending) {
            if (!pending.exists) {
                pending = {pending.existed, pending.diskLength, true, 0, 0, {}};
            }
            if (!bytes.empty()) {
                writeInto(pending.written, offset, bytes);
                pending.length = std::max(pending.length, offset + bytes.size());
            }
        });
}

void JournaledFiles::truncate(const Path& file, std::uint64_t length) {
    change(
        file, [&] { disk_.truncate(file, length); },
        [&](Pending& pending) {
            if (!pending.exists) {
                throw StoreError(file, "shorten", "there is no such file");
            }
            pending.length = length;
            pending.kept = std::min(pending.kept, length);
            cutBack(pending.written, length);
        });
}

void JournaledFiles::replaceWhole(const Path& file, const Path& temporary,
                                  std::span<const std::byte> bytes) {
    // Inside an operation the journal makes the new bytes all or nothing: they are written
    // in place at the commit, with no temporary.
    change(
        file, [&] { disk_.replaceWhole(file, temporary, bytes); },
        [&](Pending& pending) {
            pending = {pending.existed, pending.diskLength, true, bytes.size(), 0, {}};
            if (!bytes.empty()) {
                writeInto(pending.written, 0, bytes);
            }
        });
}

void JournaledFiles::remove(const Path& file) {
    change(
        file, [&] { disk_.remove(file); },
        [&](Pending& pending) {
            pending = {pending.existed, pending.diskLength, false, 0, 0, {}};
        });
}

void JournaledFiles::rename(const Path& from, const Path& to) {
    // Inside an operation the file's bytes move under the new name at the commit: they are
    // the old name's deleted and the new name's written whole.
    change(
        from,
        [&] {
            change(
                to, [&] { disk_.rename(from, to); }, [](Pending&) {});
        },
        [&](Pending& source) {
            if (!source.exists) {
                throw StoreError(to, "rename", "there is no such file");
            }
            Bytes bytes(static_cast<std::size_t>(source.length));
            const auto disk = source.kept > 0 ? disk_.openForReading(from) : nullptr;
            readPending(source, 0, bytes, disk.get());
            change(
                to, [] {},
                [&](Pending& target) {
                    target = {target.existed, target.diskLength, true, bytes.size(), 0, {}};
                    if (!bytes.empty()) {
                        writeInto(target.written, 0, bytes);
                    }
                });
            source = {source.existed, source.diskLength, false, 0, 0, {}};
        });
}

} // namespace roomwright
