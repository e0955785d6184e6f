#pragma once

#include "store/disk/file_system.h"

#include <map>
#include <string>

namespace roomwright::testing {

// A fresh directory under the system's temporary folder, removed with everything in it
// when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const Path& path() const { return path_; }

  private:
    Path path_;
};

// The bytes of a file ("" when it does not exist), and a way to lay one down.
std::string readFile(const Path& file);
void writeFile(const Path& file, const std::string& bytes);
// Every file under `root` by its path relative to it, with its bytes.
std::map<std::string, std::string> snapshot(const Path& root);

} // namespace roomwright::testing
