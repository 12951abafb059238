#include "tests/kill/KillRecords.h"

std::vector<FieldRecord> LargeStudent(const std::string& tag, int rows)
{
    std::vector<FieldRecord> records;
    records.reserve(rows);
    for (int i = 0; i < rows; ++i) {
        const std::string n = std::to_string(i);
        records.push_back({"Pole_" + n + "_DATA_EDIT", "Komponent" + n,
                           tag + " wiersz " + n + ": zażółć gęślą jaźń, ocena bardzo dobra"});
    }
    return records;
}
