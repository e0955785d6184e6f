#include "backup/archive.h"

#include "store/format/bytes.h"
#include "store/format/path_text.h"
#include "store/format/store_error.h"

#include <archive.h>
#include <archive_entry.h>

#include <cstdio>
#include <cstring>
#include <utility>

namespace roomwright {

namespace {

// libarchive hands the file system's work to the sink and source below in blocks of this
// size, and they read the data directory in it too.
constexpr std::size_t kBlock = 1 << 20;

// libarchive is C: an error of the file system is kept while it unwinds and thrown after.
template <class Work> int keepingFailure(std::exception_ptr& failure, Work&& work) {
    try {
        return static_cast<int>(work());
    } catch (...) {
        failure = std::current_exception();
        return ARCHIVE_FATAL;
    }
}

// The clock's time as tar dates its members: seconds since the start of 1970.
std::int64_t secondsSince1970(const Clock& clock) {
    constexpr long k1970 = 25569; // 1 January 1970, in days since 30 December 1899
    const TimeOfDay time = clock.now();
    return (static_cast<std::int64_t>(clock.today().serial()) - k1970) * 86400 + time.hour * 3600 +
           time.minute * 60 + time.second;
}

// What a call of libarchive that gave `status` failed on: the file system's error a callback
// kept, else libarchive's own, naming `file`.
void throwOnFailure(int status, archive* handle, std::exception_ptr& failure, const Path& file,
                    const char* action, const std::string& lead) {
    if (failure) {
        std::rethrow_exception(std::exchange(failure, nullptr));
    }
    if (status != ARCHIVE_OK) {
        const char* reason = archive_error_string(handle);
        throw StoreError(file, action, lead + (reason ? reason : "it is damaged or cut short"));
    }
}

} // namespace

std::string timeStamp(const Clock& clock) {
    const CivilDate day = clock.today();
    const TimeOfDay time = clock.now();
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d-%02d%02d%02d", day.year, day.month, day.day,
                  time.hour, time.minute, time.second);
    return stamp;
}

Path freeName(FileSystem& files, const Path& folder, const std::string& wanted,
              const std::string& extension) {
    Path path = folder / pathFromUtf8(wanted + extension);
    for (int copy = 2; files.kindOf(path) != EntryKind::Missing; ++copy) {
        path = folder / pathFromUtf8(wanted + "-" + std::to_string(copy) + extension);
    }
    return path;
}

// ---- Checksums -----------------------------------------------------------------------
// Eight bytes at a time, so that checking costs little beside the reading: not a guard
// against forgery, but against a disk or a stick that gives back other bytes.

void MemberSums::begin(std::string name) {
    name_ = std::move(name);
    size_ = 0;
    hash_ = 0xcbf29ce484222325;
    pending_ = 0;
    pendingBytes_ = 0;
}

void MemberSums::mix(std::uint64_t word) {
    hash_ = (hash_ ^ word) * 0x9e3779b97f4a7c15;
    hash_ ^= hash_ >> 29;
}

void MemberSums::add(std::span<const std::byte> bytes) {
    size_ += bytes.size();
    while (pendingBytes_ != 0 && !bytes.empty()) {
        pending_ |= std::to_integer<std::uint64_t>(bytes.front()) << (8 * pendingBytes_);
        bytes = bytes.subspan(1);
        if (++pendingBytes_ == 8) {
            mix(pending_);
            pending_ = 0;
            pendingBytes_ = 0;
        }
    }
    for (; bytes.size() >= 8; bytes = bytes.subspan(8)) {
        std::uint64_t word = 0;
        for (int i = 7; i >= 0; --i) {
            word = (word << 8) | std::to_integer<std::uint64_t>(bytes[static_cast<std::size_t>(i)]);
        }
        mix(word);
    }
    for (const std::byte b : bytes) {
        pending_ |= std::to_integer<std::uint64_t>(b) << (8 * pendingBytes_++);
    }
}

void MemberSums::end() {
    mix(pending_);
    mix(size_);
    char line[48];
    std::snprintf(line, sizeof line, "%016llx %llu ", static_cast<unsigned long long>(hash_),
                  static_cast<unsigned long long>(size_));
    text_ += line + name_ + "\n";
    names_.push_back(std::move(name_));
}

std::optional<std::string> MemberSums::firstDifference(std::string_view expected) const {
    std::string_view mine = text_;
    for (const std::string& name : names_) {
        const std::size_t length = mine.find('\n') + 1;
        if (expected.substr(0, length) != mine.substr(0, length)) {
            return name;
        }
        mine.remove_prefix(length);
        expected.remove_prefix(length);
    }
    if (!expected.empty()) {
        // A file the checksums name that the archive does not hold.
        const std::string_view line = expected.substr(0, expected.find('\n'));
        const std::size_t nameAt = line.find(' ', line.find(' ') + 1);
        return std::string(nameAt == std::string_view::npos ? line : line.substr(nameAt + 1));
    }
    return std::nullopt;
}

// ---- Writing -------------------------------------------------------------------------

struct ArchiveWriter::Sink {
    FileSystem& files;
    Path file;
    std::uint64_t written = 0;
    std::exception_ptr failure;
};

ArchiveWriter::ArchiveWriter(FileSystem& files, Path file, const Clock& clock)
    : sink_(std::make_unique<Sink>(Sink{files, std::move(file), 0, nullptr})),
      handle_(archive_write_new(), archive_write_free), archive_(handle_.get()),
      time_(secondsSince1970(clock)) {
    if (archive_ == nullptr) {
        throw StoreError(sink_->file, "write", "out of memory");
    }
    // pax where a name or size needs it, plain ustar elsewhere; blocks of 1 MiB, the last
    // one not padded.
    check(archive_write_set_format_pax_restricted(archive_));
    check(archive_write_set_bytes_per_block(archive_, static_cast<int>(kBlock)));
    check(archive_write_set_bytes_in_last_block(archive_, 1));
    // The file starts empty: what a broken-off backup left under this name goes.
    sink_->files.write(sink_->file, 0, {});
    sink_->files.truncate(sink_->file, 0);
    check(archive_write_open(
        archive_, sink_.get(), nullptr,
        [](struct archive*, void* data, const void* buffer, std::size_t length) -> la_ssize_t {
            auto& sink = *static_cast<Sink*>(data);
            return keepingFailure(sink.failure, [&] {
                sink.files.write(sink.file, sink.written,
                                 {static_cast<const std::byte*>(buffer), length});
                sink.written += length;
                return static_cast<la_ssize_t>(length);
            });
        },
        nullptr));
}

ArchiveWriter::~ArchiveWriter() = default;

void ArchiveWriter::check(int status) {
    throwOnFailure(status, archive_, sink_->failure, sink_->file, "write", "");
}

namespace {

struct EntryPtr {
    archive_entry* entry = archive_entry_new();
    ~EntryPtr() { archive_entry_free(entry); }
};

} // namespace

void ArchiveWriter::addFolder(const std::string& name) {
    EntryPtr header;
    archive_entry_set_pathname_utf8(header.entry, name.c_str());
    archive_entry_set_filetype(header.entry, AE_IFDIR);
    archive_entry_set_perm(header.entry, 0700);
    archive_entry_set_mtime(header.entry, time_, 0);
    check(archive_write_header(archive_, header.entry));
}

void ArchiveWriter::beginFile(const std::string& name, std::uint64_t size) {
    EntryPtr header;
    archive_entry_set_pathname_utf8(header.entry, name.c_str());
    archive_entry_set_filetype(header.entry, AE_IFREG);
    archive_entry_set_perm(header.entry, 0600);
    archive_entry_set_size(header.entry, static_cast<la_int64_t>(size));
    archive_entry_set_mtime(header.entry, time_, 0);
    check(archive_write_header(archive_, header.entry));
}

void ArchiveWriter::write(std::span<const std::byte> bytes) {
    const la_ssize_t written = archive_write_data(archive_, bytes.data(), bytes.size());
    check(written == static_cast<la_ssize_t>(bytes.size()) ? ARCHIVE_OK : ARCHIVE_FATAL);
}

void ArchiveWriter::close() {
    check(archive_write_close(archive_));
}

// ---- Reading -------------------------------------------------------------------------

struct ArchiveReader::Source {
    std::unique_ptr<FileReader> reader;
    Bytes block = Bytes(kBlock);
    std::exception_ptr failure;
};

ArchiveReader::ArchiveReader(FileSystem& files, Path file)
    : source_(std::make_unique<Source>()), handle_(archive_read_new(), archive_read_free),
      archive_(handle_.get()), file_(std::move(file)) {
    source_->reader = files.openForReading(file_);
    if (!source_->reader) {
        throw StoreError(file_, "read", "there is no such file");
    }
    if (archive_ == nullptr) {
        throw StoreError(file_, "read", "out of memory");
    }
    check(archive_read_support_format_tar(archive_));
    check(archive_read_open(
        archive_, source_.get(), nullptr,
        [](struct archive*, void* data, const void** buffer) -> la_ssize_t {
            auto& source = *static_cast<Source*>(data);
            *buffer = source.block.data();
            return keepingFailure(source.failure, [&] {
                return static_cast<la_ssize_t>(source.reader->read(source.block));
            });
        },
        nullptr));
}

ArchiveReader::~ArchiveReader() = default;

void ArchiveReader::check(int status) {
    throwOnFailure(status, archive_, source_->failure, file_, "read", "it is not a whole backup: ");
}

std::optional<ArchiveReader::Member> ArchiveReader::next() {
    archive_entry* entry = nullptr;
    const int status = archive_read_next_header(archive_, &entry);
    if (status == ARCHIVE_EOF) {
        return std::nullopt;
    }
    check(status);
    Member member;
    const char* name = archive_entry_pathname_utf8(entry);
    member.name = name ? name : "";
    if (archive_entry_hardlink(entry) == nullptr) {
        switch (archive_entry_filetype(entry)) {
        case AE_IFREG:
            member.kind = Kind::File;
            break;
        case AE_IFDIR:
            member.kind = Kind::Folder;
            if (member.name.ends_with('/')) {
                member.name.pop_back();
            }
            break;
        default:
            break;
        }
    }
    return member;
}

std::size_t ArchiveReader::read(std::span<std::byte> into) {
    const la_ssize_t got = archive_read_data(archive_, into.data(), into.size());
    check(got < 0 ? static_cast<int>(got) : ARCHIVE_OK);
    return static_cast<std::size_t>(got);
}

// ---- A backup read whole -------------------------------------------------------------

BackupRead readBackup(FileSystem& files, const Path& file, MemberSums& sums,
                      const std::function<void(const ArchiveReader::Member&)>& member,
                      const std::function<void(std::span<const std::byte>)>& bytes) {
    ArchiveReader archive(files, file);
    BackupRead read;
    const auto first = archive.next();
    if (!first || first->name != kMarkerMember) {
        return read;
    }
    Bytes block(kBlock);
    bool sumsSeen = false;
    while (const auto next = archive.next()) {
        if (sumsSeen) {
            return read; // a member after the checksums
        }
        if (next->name == kSumsMember) {
            sumsSeen = true;
            while (const std::size_t got = archive.read(block)) {
                read.storedSums.append(reinterpret_cast<const char*>(block.data()), got);
            }
            continue;
        }
        member(*next);
        if (next->kind == ArchiveReader::Kind::File) {
            sums.begin(next->name);
            while (const std::size_t got = archive.read(block)) {
                const auto part = std::span<const std::byte>(block).first(got);
                sums.add(part);
                bytes(part);
            }
            sums.end();
        }
    }
    read.whole = sumsSeen;
    return read;
}

} // namespace roomwright
