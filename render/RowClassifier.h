#pragma once
// What a calibration row stands for, decided from its name alone: case-sensitive
// substring tests in a fixed order, the first match deciding.

#include <string_view>

enum class RowKind { None, Text, MemoLine, DotLeader, Frame };

struct RowClass {
    RowKind kind = RowKind::None;
    int page = 1;                // 1..4
    bool skipWhenEmpty = false;  // page 1 fields of the "W…" endings: nothing when empty
    bool emblem = false;         // certificates: "GRAFIKA: ORZELEK" (page 1)
    bool stamp = false;          // certificates: "GRAFIKA: PIECZATKA" (page 1)
    bool drawn() const { return kind != RowKind::None || emblem || stamp; }
};

// `certificate`: the rules of types 0..19; otherwise those of a grade-sheet page.
RowClass ClassifyRow(std::string_view name, bool certificate);
