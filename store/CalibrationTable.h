#pragma once
// A calibration set is one table of the calibration file, one row per printed field.
#include <string>
#include <string_view>
#include "store/SqlText.h"

struct CalibrationColumn {
    const char* name;
    const char* type;
};

// In the order the table is created with.
inline constexpr CalibrationColumn kCalibrationColumns[] = {
    {"name", "TEXT"},
    {"x1", "INTEGER"},
    {"y1", "INTEGER"},
    {"x2", "INTEGER"},
    {"y2", "INTEGER"},
    {"font_name", "TEXT"},
    {"font_size", "INTEGER"},
    {"font_align", "INTEGER"},
    {"font_style_bold", "INTEGER"},
    {"font_style_italic", "INTEGER"},
    {"font_style_underline", "INTEGER"},
    {"font_style_strike", "INTEGER"},
};

inline std::string CreateCalibrationSetSql(std::string_view set)
{
    std::string columns;
    for (const CalibrationColumn& column : kCalibrationColumns)
        columns += (columns.empty() ? "" : ", ") + SqlIdent(column.name) + " " + column.type;
    return "CREATE TABLE " + SqlIdent(set) + " (" + columns + ")";
}
