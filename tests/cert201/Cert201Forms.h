#pragma once
// The six certificates of the ART-II/201 family as the tests walk them.
#include "forms/FormRegistry.h"

#include <QString>
#include <QStringList>

// The three blanks of the family: each has a plain member and a "-w" twin.
enum class Blank { Class1, B, C };

struct Cert201Form {
    const char* cls;
    const char* key;
    Blank blank;
    bool plain;  // the member without distinction: it has the promotion negation and ending
    int edits, combos, memos, labels;
};

inline constexpr Cert201Form kCert201Forms[] = {
    {"TFSwiad201", "ART-II/201/3 KLASA I MUZYCZNA", Blank::Class1, true, 62, 38, 1, 41},
    {"TFSwiad201w", "ART-II/201-w/3 KLASA I MUZYCZNA", Blank::Class1, false, 60, 38, 1, 40},
    {"TFSwiad201b", "ART-II/201/3b", Blank::B, true, 70, 45, 2, 42},
    {"TFSwiad201bw", "ART-II/201-w/3b", Blank::B, false, 68, 45, 2, 41},
    {"TFSwiad201c", "ART-II/201/3c", Blank::C, true, 77, 49, 2, 44},
    {"TFSwiad201cw", "ART-II/201-w/3c", Blank::C, false, 75, 49, 2, 43},
};

// The memos of a blank with their line limits.
struct MemoLimit {
    const char16_t* name;
    int lines;
};
QList<MemoLimit> MemosOf(Blank blank);

// The stored names of a form, in component order.
QStringList StoredNames(const DocumentForm& form);
