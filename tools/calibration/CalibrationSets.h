#pragma once
// The factory calibration file built from the form layouts: one set per table name of the
// catalogue, in the file's table order, each row a printed element of the set's form.

#include "store/Records.h"

#include <string>
#include <vector>

class LayoutCatalog;

struct CalibrationSetRows {
    std::string name;
    std::vector<CalibrationRecord> rows;
};

// Every set of the catalogue, the "_bk" twins included. A certificate set and the sets of
// the grade-sheet pages come from their calibration-preview form; a set whose form is not
// laid out yet (or that no form draws) is empty. A twin is its set without dot leaders.
std::vector<CalibrationSetRows> BuildCalibrationSets(const LayoutCatalog& layouts);

// Writes the sets as the tables of a new SQLite file at `path` (replacing any file there).
void WriteCalibrationFile(const std::string& path, const std::vector<CalibrationSetRows>& sets);
