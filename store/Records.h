#pragma once
// Records the data functions read and write.
#include <array>
#include <string>

// One stored field: form key, component name, text.
struct FieldRecord {
    std::string id;
    std::string comp_name;
    std::string value;
    bool operator==(const FieldRecord&) const = default;
};

// One student of the certificates file: "Surname FirstName" and "PESEL<number>".
struct StudentEntry {
    std::string display_name;
    std::string table_name;
    bool operator==(const StudentEntry&) const = default;
};

// One element of a calibration set; the rectangle is in page units (885 x 1314).
struct CalibrationRecord {
    std::string name;
    int x1 = 0;
    int x2 = 0;
    int y1 = 0;
    int y2 = 0;
    std::string font_name;
    int font_size = 0;
    int font_align = 0;  // 0 left, 1 centre, 2 right, 3 justify
    int font_style_bold = 0;
    int font_style_italic = 0;
    int font_style_underline = 0;
    int font_style_strike = 0;
    bool operator==(const CalibrationRecord&) const = default;
};

// One print rectangle in millimetres.
struct MarginRect {
    int X1 = 0;
    int Y1 = 0;
    int X2 = 0;
    int Y2 = 0;
    bool operator==(const MarginRect&) const = default;
};

// A named set of print rectangles for pages 1 to 4, paper size (0 "A3", 1 "A4") and
// orientation (0 landscape, 1 portrait).
struct MarginSet {
    std::string name;
    std::array<MarginRect, 4> page{};
    int A4 = 0;
    int Portrait = 0;
    bool operator==(const MarginSet&) const = default;
};

// One row of the log's `error` table.
struct LogRecord {
    std::string datetime;
    std::string fun;
    std::string info;
    bool operator==(const LogRecord&) const = default;
};
