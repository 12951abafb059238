#pragma once
// Export and import of the user's calibration file as a whole. Both replace their target
// only with a complete copy; the import takes only a sound calibration file: intact, with
// every calibration set and every column of a set.
// On failure the stream holds the message (also logged) and the target is unchanged.
#include <string>

#include "store/ErrorStream.h"

bool ExportCalibrationFile(ErrorStream& es, const std::string& target);
bool ImportCalibrationFile(ErrorStream& es, const std::string& source);
