#include "print/pdf_file.h"

#include "store/disk/platform.h"
#include "store/format/path_text.h"
#include "store/format/store_error.h"

#include <algorithm>
#include <fstream>
#include <string_view>

namespace roomwright {

namespace {

// The path as the system finds it: absolute, links and ".." resolved as far as it exists.
Path resolved(const Path& path) {
    std::error_code error;
    Path full = std::filesystem::absolute(path, error);
    if (error) {
        full = path;
    }
    Path real = std::filesystem::weakly_canonical(full, error);
    full = error ? full.lexically_normal() : real;
    return full.has_filename() ? full : full.parent_path();
}

bool within(const Path& path, const Path& folder) {
    return std::mismatch(folder.begin(), folder.end(), path.begin(), path.end()).first ==
           folder.end();
}

// A PDF ends with its %%EOF marker, perhaps followed by a line end. A file cut short by a
// full disk or a failed flush does not.
bool completePdf(const Path& file) {
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    const std::streamoff length = in ? static_cast<std::streamoff>(in.tellg()) : 0;
    if (length <= 0) {
        return false;
    }
    const std::streamoff tail = std::min<std::streamoff>(length, 64);
    std::string bytes(static_cast<std::size_t>(tail), '\0');
    in.seekg(length - tail);
    in.read(bytes.data(), tail);
    if (!in) {
        return false;
    }
    const std::string_view text(bytes);
    const std::size_t last = text.find_last_not_of(" \r\n");
    return last != std::string_view::npos && text.substr(0, last + 1).ends_with("%%EOF");
}

} // namespace

void refusePdfTarget(const Path& target, const DataDirectory& directory) {
    const Path file = resolved(target);
    const Path root = resolved(directory.root());
    std::error_code error;
    const bool printoutsLinked =
        std::filesystem::is_symlink(std::filesystem::symlink_status(directory.printouts(), error));
    if (within(file, root) && (printoutsLinked || !within(file, root / "printouts"))) {
        throw StoreError(target, "write",
                         "it is in the data directory " + utf8Text(root) +
                             ", whose files a PDF must never replace; choose a file elsewhere");
    }
    const auto status = std::filesystem::symlink_status(target, error);
    if (std::filesystem::is_symlink(status)) {
        throw StoreError(target, "write",
                         "it is a symbolic link, and only its name would be replaced; name the "
                         "file itself");
    }
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        throw StoreError(target, "write", "it is not a regular file");
    }
}

void writePdfFile(const Path& target, const DataDirectory& directory,
                  const std::function<bool(const Path& temporary)>& draw) {
    refusePdfTarget(target, directory);
    Path temporary = target;
    temporary += "." + std::to_string(platform::processId()) + ".partial";
    std::string failure;
    try {
        if (!draw(temporary)) {
            failure = "the pages could not be drawn";
        } else if (!completePdf(temporary)) {
            failure = "the PDF was left incomplete (is the disk full?)";
        } else {
            platform::makeOwnerOnly(temporary);
            platform::syncFile(temporary);
            std::error_code error;
            std::filesystem::rename(temporary, target, error);
            failure = error ? error.message() : "";
        }
    } catch (const std::exception& error) {
        failure = error.what();
    }
    if (failure.empty()) {
        // The new name survives a power cut too.
        platform::syncDirectory(resolved(target).parent_path());
        return;
    }
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    throw StoreError(target, "write", failure);
}

} // namespace roomwright
