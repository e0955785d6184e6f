#include "support/temp_dir.h"

#include <fstream>
#include <random>
#include <sstream>

namespace roomwright::testing {

TempDir::TempDir() {
    std::random_device seed;
    std::mt19937_64 random(seed());
    path_ =
        std::filesystem::temp_directory_path() / ("roomwright-test-" + std::to_string(random()));
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::string readFile(const Path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void writeFile(const Path& file, const std::string& bytes) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::map<std::string, std::string> snapshot(const Path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            files[entry.path().lexically_relative(root).generic_string()] = readFile(entry.path());
        }
    }
    return files;
}


} // namespace roomwright::testing
