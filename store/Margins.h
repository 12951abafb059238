#pragma once
// Table `margin` of "ustawienia.sqset": name, Page1X1 ... Page4Y2, A4, Portrait.
#include <string>
#include <vector>
#include "store/ErrorStream.h"
#include "store/Records.h"

// Replaces `out` with the sets in table order.
bool bFunMarginReadData(ErrorStream& es, const std::string& file, std::vector<MarginSet>& out);
bool bFunMarginWriteNewSettings(ErrorStream& es, const std::string& file, const MarginSet& set);
// Deletes every row of that name; false when none was deleted.
bool bFunMarginDeleteSettings(ErrorStream& es, const std::string& file, const std::string& name);
// Replaces the user file's sets by the factory file's (all columns, one transaction).
bool bFunMarginRestoreOriginal(ErrorStream& es, const std::string& factoryFile,
                               const std::string& userFile);
