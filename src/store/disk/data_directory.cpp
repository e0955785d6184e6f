#include "store/disk/data_directory.h"

#include "store/disk/platform.h"
#include "store/format/numbers.h"
#include "store/format/path_text.h"

namespace roomwright {

namespace {

std::string folioName(long folioNumber) {
    return numberText(static_cast<double>(folioNumber));
}

} // namespace

DataDirectory DataDirectory::locate(const Environment& environment) {
    if (environment.dataDirOption) {
        return DataDirectory(pathFromUtf8(*environment.dataDirOption));
    }
    if (environment.dataDirVariable) {
        return DataDirectory(pathFromUtf8(*environment.dataDirVariable));
    }
    return DataDirectory(platform::defaultDataDirectory(environment.xdgDataHome, environment.home));
}

DataDirectory::Environment
DataDirectory::processEnvironment(std::optional<std::string> dataDirOption) {
    Environment environment;
    environment.dataDirOption = std::move(dataDirOption);
    environment.dataDirVariable = platform::environmentVariable("ROOMWRIGHT_DATA_DIR");
    environment.xdgDataHome = platform::environmentVariable("XDG_DATA_HOME");
    environment.home = platform::environmentVariable("HOME");
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
