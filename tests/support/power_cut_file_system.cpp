#include "support/power_cut_file_system.h"

#include "store/format/store_error.h"

#include <algorithm>
#include <random>
#include <string_view>

namespace roomwright::testing {

namespace {

constexpr std::size_t kSector = 512;

// The parts of a path, without the empty one a trailing separator gives.
std::vector<std::string> partsOf(const Path& path) {
    std::vector<std::string> parts;
    for (const Path& part : path) {
        if (!part.empty()) {
            parts.push_back(part.generic_string());
        }
    }
    return parts;
}

class MemoryReader : public FileReader {
  public:
    explicit MemoryReader(std::string bytes) : bytes_(std::move(bytes)) {}
    std::size_t read(std::span<std::byte> into) override {
        const std::size_t got =
            at_ < bytes_.size() ? std::min(into.size(), bytes_.size() - at_) : 0;
        std::copy_n(reinterpret_cast<const std::byte*>(bytes_.data()) + at_, got, into.begin());
        at_ += got;
        return got;
    }
    void seek(std::uint64_t offset) override { at_ = static_cast<std::size_t>(offset); }

  private:
    std::string bytes_;
    std::size_t at_ = 0;
};

void put(std::string& bytes, std::uint64_t offset, std::string_view data) {
    const auto at = static_cast<std::size_t>(offset);
    if (bytes.size() < at + data.size()) {
        bytes.resize(at + data.size(), '\0');
    }
    bytes.replace(at, data.size(), data);
}

} // namespace

std::map<std::string, std::string> DiskImage::under(const Path& root) const {
    std::map<std::string, std::string> found;
    for (const auto& [path, file] : files) {
        const Path relative = path.lexically_relative(root);
        if (!relative.empty() && *relative.begin() != "..") {
            found[relative.generic_string()] = file.bytes;
        }
    }
    return found;
}

PowerCutFileSystem::PowerCutFileSystem(const DiskImage& image) : folders_(1) {
    const auto folderOf = [&](const Path& path) {
        std::size_t folder = 0;
        for (const std::string& part : partsOf(path)) {
            auto [at, added] = folders_[folder].try_emplace(part, Node{true, folders_.size()});
            if (added) {
                folders_.emplace_back();
            }
            folder = at->second.id;
        }
        return folder;
    };
    for (const Path& folder : image.folders) {
        folderOf(folder);
    }
    for (const auto& [path, file] : image.files) {
        folders_[folderOf(path.parent_path())][path.filename().generic_string()] =
            Node{false, contents_.size()};
        contents_.push_back({file.bytes, file.modified});
        clock_ = std::max(clock_, file.modified);
    }
    firstFolders_ = folders_;
    firstContents_ = contents_;
}

std::optional<PowerCutFileSystem::Place> PowerCutFileSystem::placeOf(const Path& path) const {
    const std::vector<std::string> parts = partsOf(path);
    if (parts.empty()) {
        return std::nullopt;
    }
    std::size_t folder = 0;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        const auto at = folders_[folder].find(parts[i]);
        if (at == folders_[folder].end() || !at->second.folder) {
            return std::nullopt;
        }
        folder = at->second.id;
    }
    return Place{folder, parts.back()};
}

std::optional<PowerCutFileSystem::Node> PowerCutFileSystem::nodeAt(const Path& path) const {
    const auto place = placeOf(path);
    if (!place) {
        return std::nullopt;
    }
    const auto at = folders_[place->folder].find(place->name);
    if (at == folders_[place->folder].end()) {
        return std::nullopt;
    }
    return at->second;
}

std::size_t PowerCutFileSystem::fileAt(const Path& file, const char* action) const {
    const auto node = nodeAt(file);
    if (!node) {
        throw StoreError(file, action, "No such file or directory");
    }
    if (node->folder) {
        throw StoreError(file, action, "it is not a regular file");
    }
    return node->id;
}

void PowerCutFileSystem::apply(const Step& step, std::vector<Names>& folders,
                               std::vector<Content>& contents) {
    switch (step.kind) {
    case Step::Write:
        put(contents[step.node.id].bytes, step.offset, step.bytes);
        contents[step.node.id].modified = step.modified;
        break;
    case Step::Truncate:
        contents[step.node.id].bytes.resize(static_cast<std::size_t>(step.offset), '\0');
        contents[step.node.id].modified = step.modified;
        break;
    case Step::Link:
        folders[step.folder][step.name] = step.node;
        break;
    case Step::Unlink:
        folders[step.folder].erase(step.name);
        break;
    case Step::Move:
        folders[step.folder].erase(step.name);
        folders[step.toFolder][step.toName] = step.node;
        break;
    case Step::SyncFile:
    case Step::SyncFolder:
        break;
    }
}

void PowerCutFileSystem::record(Step step) {
    if (step.kind == Step::Link && step.node.folder) {
        folders_.emplace_back();
    } else if (step.kind == Step::Link) {
        contents_.emplace_back();
    }
    if (step.kind == Step::Write || step.kind == Step::Truncate) {
        step.modified = ++clock_;
    }
    apply(step, folders_, contents_);
    log_.push_back(std::move(step));
}

DiskImage PowerCutFileSystem::imageOf(const std::vector<Names>& folders,
                                      const std::vector<Content>& contents) {
    DiskImage image;
    const auto walk = [&](const auto& self, std::size_t folder, const Path& at) -> void {
        for (const auto& [name, node] : folders[folder]) {
            const Path path = at.empty() ? Path(name) : at / name;
            if (node.folder) {
                image.folders.insert(path);
                self(self, node.id, path);
            } else {
                image.files[path] = {contents[node.id].bytes, contents[node.id].modified};
            }
        }
    };
    walk(walk, 0, Path());
    return image;
}

DiskImage PowerCutFileSystem::image() const {
    return imageOf(folders_, contents_);
}

DiskImage PowerCutFileSystem::cutAfter(std::size_t steps, Kept kept, std::uint64_t seed) const {
    // The disk as it read and as it was durable right after the step, with the steps since
    // the last sync of each folder and each file.
    std::vector<Names> names = firstFolders_;
    std::vector<Content> contents = firstContents_;
    names.resize(folders_.size());
    contents.resize(contents_.size());
    std::vector<Names> durableNames = names;
    std::vector<Content> durableContents = contents;
    std::vector<std::vector<std::size_t>> namesSince(names.size());
    std::vector<std::vector<std::size_t>> contentSince(contents.size());
    for (std::size_t i = 0; i < std::min(steps, log_.size()); ++i) {
        const Step& step = log_[i];
        apply(step, names, contents);
        switch (step.kind) {
        case Step::Write:
        case Step::Truncate:
            contentSince[step.node.id].push_back(i);
            break;
        case Step::Move:
            if (step.toFolder != step.folder) {
                namesSince[step.toFolder].push_back(i);
            }
            [[fallthrough]];
        case Step::Link:
        case Step::Unlink:
            namesSince[step.folder].push_back(i);
            break;
        case Step::SyncFile:
            durableContents[step.node.id] = contents[step.node.id];
            contentSince[step.node.id].clear();
            break;
        case Step::SyncFolder:
            durableNames[step.folder] = names[step.folder];
            namesSince[step.folder].clear();
            break;
        }
    }

    // What the power cut keeps of each step since a sync: the step whole, nothing of it, or
    // (a write) some of its sectors. Drawn in step order, so that a seed is one mix.
    std::mt19937_64 random(seed);
    const auto chance = [&](unsigned in) { return random() % in == 0; };
    std::map<std::size_t, bool> keeps;
    const auto decide = [&](const std::vector<std::vector<std::size_t>>& since) {
        for (const auto& list : since) {
            for (const std::size_t i : list) {
                keeps.emplace(i, false);
            }
        }
    };
    decide(namesSince);
    decide(contentSince);
    std::map<std::size_t, std::string> torn; // per torn write: which sectors stay ('1')
    for (auto& [i, keep] : keeps) {
        keep = kept == Kept::Everything || (kept == Kept::Some && chance(2));
        const Step& step = log_[i];
        if (kept == Kept::Some && keep && step.kind == Step::Write && chance(4)) {
            const std::size_t first = static_cast<std::size_t>(step.offset) / kSector;
            const std::size_t last =
                (static_cast<std::size_t>(step.offset) + step.bytes.size() + kSector - 1) / kSector;
            std::string sectors;
            for (std::size_t s = first; s < last; ++s) {
                sectors += chance(2) ? '1' : '0';
            }
            torn[i] = sectors;
        }
    }

    for (std::size_t folder = 0; folder < durableNames.size(); ++folder) {
        for (const std::size_t i : namesSince[folder]) {
            if (!keeps[i]) {
                continue;
            }
            Step step = log_[i];
            if (step.kind == Step::Move) {
                // Only this folder's half of a rename between two folders.
                if (step.folder == folder &&
                    durableNames[folder].find(step.name) != durableNames[folder].end() &&
                    durableNames[folder][step.name] == step.node) {
                    durableNames[folder].erase(step.name);
                }
                if (step.toFolder == folder) {
                    durableNames[folder][step.toName] = step.node;
                }
                continue;
            }
            apply(step, durableNames, durableContents);
        }
    }
    for (std::size_t file = 0; file < durableContents.size(); ++file) {
        for (const std::size_t i : contentSince[file]) {
            if (!keeps[i]) {
                continue;
            }
            const Step& step = log_[i];
            const auto sectors = torn.find(i);
            if (sectors == torn.end()) {
                apply(step, durableNames, durableContents);
                continue;
            }
            // A torn write: only the sectors that reached the disk.
            const std::size_t first = static_cast<std::size_t>(step.offset) / kSector;
            for (std::size_t s = 0; s < sectors->second.size(); ++s) {
                const std::size_t from =
                    std::max<std::size_t>((first + s) * kSector, step.offset) - step.offset;
                const std::size_t to =
                    std::min((first + s + 1) * kSector - step.offset, step.bytes.size());
                if (sectors->second[s] == '1') {
                    put(durableContents[file].bytes, step.offset + from,
                        std::string_view(step.bytes).substr(from, to - from));
                }
            }
            durableContents[file].modified = step.modified;
        }
    }
    return imageOf(durableNames, durableContents);
}

std::uint64_t PowerCutFileSystem::size(const Path& file) {
    return nodeAt(file) ? contents_[fileAt(file, "read")].bytes.size() : 0;
}

std::unique_ptr<FileReader> PowerCutFileSystem::openForReading(const Path& file) {
    if (!nodeAt(file)) {
        return nullptr;
    }
    return std::make_unique<MemoryReader>(contents_[fileAt(file, "read")].bytes);
}

void PowerCutFileSystem::write(const Path& file, std::uint64_t offset,
                               std::span<const std::byte> bytes) {
    const auto place = placeOf(file);
    if (!place) {
        throw StoreError(file, "create", "No such file or directory");
    }
    if (!nodeAt(file)) {
        record({.kind = Step::Link,
                .folder = place->folder,
                .name = place->name,
                .node = Node{false, contents_.size()}});
    }
    record({.kind = Step::Write,
            .node = Node{false, fileAt(file, "write")},
            .offset = offset,
            .bytes = std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size())});
}

void PowerCutFileSystem::truncate(const Path& file, std::uint64_t length) {
    record(
        {.kind = Step::Truncate, .node = Node{false, fileAt(file, "shorten")}, .offset = length});
}

void PowerCutFileSystem::createDirectories(const Path& directory) {
    Path folder;
    for (const std::string& part : partsOf(directory)) {
        folder = folder.empty() ? Path(part) : folder / part;
        const auto node = nodeAt(folder);
        if (node && !node->folder) {
            throw StoreError(folder, "create", "a file of that name is there", "folder");
        }
        if (!node) {
            const Place place = *placeOf(folder);
            record({.kind = Step::Link,
                    .folder = place.folder,
                    .name = place.name,
                    .node = Node{true, folders_.size()}});
        }
    }
}

void PowerCutFileSystem::remove(const Path& file) {
    const auto node = nodeAt(file);
    if (!node) {
        return;
    }
    if (node->folder && !folders_[node->id].empty()) {
        throw StoreError(file, "delete", "Directory not empty", "folder");
    }
    const Place place = *placeOf(file);
    record({.kind = Step::Unlink, .folder = place.folder, .name = place.name});
}

void PowerCutFileSystem::rename(const Path& from, const Path& to) {
    const auto node = nodeAt(from);
    const auto place = placeOf(to);
    if (!node || !place) {
        throw StoreError(to, "create", "No such file or directory");
    }
    const auto replaced = nodeAt(to);
    if (replaced && (replaced->folder || node->folder)) {
        throw StoreError(to, "create", "File exists");
    }
    const Place source = *placeOf(from);
    record({.kind = Step::Move,
            .folder = source.folder,
            .name = source.name,
            .toFolder = place->folder,
            .toName = place->name,
            .node = *node});
}

EntryKind PowerCutFileSystem::kindOf(const Path& path) {
    const auto node = nodeAt(path);
    return !node ? EntryKind::Missing : node->folder ? EntryKind::Folder : EntryKind::File;
}

std::int64_t PowerCutFileSystem::modified(const Path& file) {
    return nodeAt(file) ? contents_[fileAt(file, "read")].modified : 0;
}

void PowerCutFileSystem::sync(const Path& file) {
    const auto node = nodeAt(file);
    if (node && !node->folder) {
        record({.kind = Step::SyncFile, .node = *node});
    }
}

void PowerCutFileSystem::syncDirectory(const Path& directory) {
    const auto node = nodeAt(directory);
    if (!node || !node->folder) {
        throw StoreError(directory, "sync", "No such file or directory", "folder");
    }
    record({.kind = Step::SyncFolder, .folder = node->id});
}

std::vector<Path> PowerCutFileSystem::list(const Path& directory) {
    std::vector<Path> entries;
    const auto node = nodeAt(directory);
    if (node && node->folder) {
        for (const auto& [name, entry] : folders_[node->id]) {
            entries.push_back(directory / name);
        }
    }
    return entries;
}

} // namespace roomwright::testing
