#include "cli/csv.h"

#include "store/dates.h"
#include "store/numbers.h"

#include <cstdio>

namespace roomwright {

std::string csvField(const std::string& value) {
    if (value.find_first_of(",\"\r\n") == std::string::npos) {
        return value;
    }
    std::string quoted = "\"";
    for (const char c : value) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

void writeCsvRow(std::ostream& out, const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        out << (i > 0 ? "," : "") << csvField(fields[i]);
    }
    out << '\n';
}

std::string dumpText(const std::string& text) {
    const auto end = text.find_last_not_of(std::string(" \0", 2));
    return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

std::string dumpDate(double stored) {
    return isoDate(CivilDate::fromStored(stored));
}

void CsvColumns::single(const char* name, std::size_t, float value) {
    add(name, plainNumber(value));
}

} // namespace roomwright
