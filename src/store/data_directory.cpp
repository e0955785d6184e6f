#include "store/data_directory.h"

#include "store/numbers.h"
#include "store/platform.h"

#include <cstdlib>

namespace roomwright {

namespace {

std::optional<std::string> variable(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') {
        return std::nullopt;
    }
    return std::string(value);
}

std::string folioName(long folioNumber) {
    return numberText(static_cast<double>(folioNumber));
}

} // namespace

DataDirectory DataDirectory::locate(const Environment& environment) {
    if (environment.dataDirOption) {
        return DataDirectory(Path(*environment.dataDirOption));
    }
    if (environment.dataDirVariable) {
        return DataDirectory(Path(*environment.dataDirVariable));
    }
    return DataDirectory(platform::defaultDataDirectory(environment.xdgDataHome, environment.home));
}

DataDirectory::Environment
DataDirectory::processEnvironment(std::optional<std::string> dataDirOption) {
    Environment environment;
    environment.dataDirOption = std::move(dataDirOption);
    environment.dataDirVariable = variable("ROOMWRIGHT_DATA_DIR");
    environment.xdgDataHome = variable("XDG_DATA_HOME");
    environment.home = variable("HOME");
    return environment;
}

Path DataDirectory::chargeFile(long folioNumber) const {
    return dailyCharge() / folioName(folioNumber);
}

Path DataDirectory::totalsFile(const CivilDate& date) const {
    return totals() / monthYear(date);
}

Path DataDirectory::messageFile(long folioNumber) const {
    return message() / folioName(folioNumber);
}

void DataDirectory::ensureExists(FileSystem& files) const {
    for (const Path& directory : {root_, dailyCharge(), totals(), message()}) {
        files.createDirectories(directory);
    }
}

} // namespace roomwright
