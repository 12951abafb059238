#pragma once
// Loading one calibration set for the renderer and the calibration window.

#include "store/Records.h"

#include <string>
#include <vector>

class ErrorStream;

// bFunCalibLoadData, with a file that SQLite cannot read as a database reported like any
// other failed load ("SQLite exception: \n" and the result code's name, logged) instead of
// escaping as an exception. On failure `rows` is left as it was.
bool LoadCalibrationRows(ErrorStream& errors, const std::string& file, const std::string& set,
                         std::vector<CalibrationRecord>& rows);
