#pragma once
// The calibration file "vlm_kalibracja.sqset": one table per calibration set, one row per
// element (name, x1, y1, x2, y2, font_name, font_size, font_align, font_style_bold,
// font_style_italic, font_style_underline, font_style_strike).
#include <span>
#include <string>
#include <string_view>
#include <vector>
#include "store/ErrorStream.h"
#include "store/Records.h"

// Replaces `out` with the set's rows in table order. A missing set leaves `out` as it was.
bool bFunCalibLoadData(ErrorStream& es, const std::string& file, const std::string& set,
                       std::vector<CalibrationRecord>& out);
// Writes every value of `record` into the set's rows named record.name.
bool bFunSqlCalibUpdateValue(ErrorStream& es, const std::string& file, const std::string& set,
                             const CalibrationRecord& record);
// Replaces `items` with the table names of the user's calibration file, in creation order.
bool bFunCalibLoadCertList(ErrorStream& es, std::vector<std::string>& items);

// Whether `file` is a sound calibration file: SQLite's integrity check passes, every set
// of `sets` is a table holding every calibration column, and every row's rectangle lies on
// the 885 × 1314 page with its font size between 4 and 96. False with the reason, in
// Polish and naming the row, in `reason`. Opens the file read-only.
bool IsCalibrationFile(const std::string& file, std::span<const std::string_view> sets,
                       std::string& reason);
