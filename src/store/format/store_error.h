#pragma once

#include "store/format/path_text.h"

#include <filesystem>
#include <stdexcept>
#include <string>

namespace roomwright {

// A file-system failure, told to the clerk as it stands: which file, what was being done,
// and the system's reason.
class StoreError : public std::runtime_error {
  public:
    StoreError(const std::filesystem::path& file, const std::string& action,
               const std::string& reason, const std::string& noun = "file")
        : std::runtime_error("Could not " + action + " the " + noun + " " + utf8Text(file) + ": " +
                             reason + "."),
          file_(file), reason_(reason) {}

    const std::filesystem::path& file() const { return file_; }
    // The system's reason alone: "No space left on device".
    const std::string& reason() const { return reason_; }

  private:
    std::filesystem::path file_;
    std::string reason_;
};

// Input that a file holds but that this system cannot take (a bad line, a full counter).
class DataError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A file whose bytes cannot be the value they stand for: a value cut short, a number that
// is not finite, an impossible date. The store reports it naming the file and never writes
// over it.
class DamageError : public DataError {
  public:
    DamageError(const std::filesystem::path& file, const std::string& detail)
        : DataError("The file " + file.generic_string() + " is damaged: " + detail +
                    ". It was left as it is; run roomwright-cli verify and restore it from a "
                    "backup."),
          file_(file), detail_(detail) {}

    const std::filesystem::path& file() const { return file_; }
    // What is damaged, without the file's name: "the tax rate is not a finite number".
    const std::string& detail() const { return detail_; }

  private:
    std::filesystem::path file_;
    std::string detail_;
};

} // namespace roomwright
