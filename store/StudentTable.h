#pragma once
// One student's table in a certificates file: its name, its columns and the key of the
// personal-data rows. Every module that creates, fills or names such a table uses these.
#include <string>
#include <string_view>
#include "store/SqlText.h"

// The rows of the student dialog (the student's personal data) carry this id.
inline constexpr const char* kStudentDataKey = "DANE UCZNIA";

// "PESEL" followed by the student's number.
inline std::string StudentTableName(std::string_view pesel)
{
    return "PESEL" + std::string(pesel);
}

// The number a student's table is named after ("" when the name holds none).
inline std::string StudentTablePesel(std::string_view table)
{
    constexpr std::string_view prefix = "PESEL";
    return std::string(table.starts_with(prefix) ? table.substr(prefix.size()) : table);
}

inline std::string CreateStudentTableSql(std::string_view table)
{
    return "create table " + SqlIdent(table) + "( id TEXT, comp_name TEXT, value TEXT )";
}

// One row, its id, comp_name and value bound to the three parameters.
inline std::string InsertStudentRowSql(std::string_view table)
{
    return "insert into " + SqlIdent(table) + "( id, comp_name, value ) values( ?, ?, ? )";
}
