#pragma once

#include "store/layout.h"

#include <ostream>
#include <string>
#include <vector>

namespace roomwright {

// A CSV field, quoted only when it holds a comma, a double quote or a line break.
std::string csvField(const std::string& value);
void writeCsvRow(std::ostream& out, const std::vector<std::string>& fields);

// Text as the dump shows it: trailing blanks and NUL characters removed.
std::string dumpText(const std::string& text);
// Dates as YYYY-MM-DD.
std::string dumpDate(double stored);

// Collects a record's named fields, in layout order, as dump columns.
class CsvColumns {
  public:
    template <std::size_t W> void text(const char* name, std::size_t, const Text<W>& value) {
        add(name, dumpText(value.str()));
    }
    void single(const char* name, std::size_t, float value);
    void date(const char* name, std::size_t, double value) { add(name, dumpDate(value)); }

    std::vector<std::string> names;
    std::vector<std::string> values;

  private:
    void add(const char* name, std::string value) {
        names.emplace_back(name);
        values.push_back(std::move(value));
    }
};

// Writes every record of a table: a header row (Record, then the field names) and one row
// per record, in record order.
template <class Table> void dumpTable(std::ostream& out, const Table& table) {
    using Record = std::decay_t<decltype(table.read(1))>;
    CsvColumns header;
    const Record blank{};
    Record::layout(header, blank);
    header.names.insert(header.names.begin(), "Record");
    writeCsvRow(out, header.names);
    table.scan([&](std::size_t n, const Record& record) {
        CsvColumns row;
        Record::layout(row, record);
        row.values.insert(row.values.begin(), std::to_string(n));
        writeCsvRow(out, row.values);
        return true;
    });
}

} // namespace roomwright
