#pragma once
// Import of the older Windows-1250 text exports into a new working copy.
#include <string>
#include "store/ErrorStream.h"
#include "store/Progress.h"

// Music-school export (".snv"): personal data and every document block.
bool bFunImportDataFromFile(ErrorStream& es, const std::string& source, const std::string& target,
                            ProgressSink* progress = nullptr);
// Primary-school export (".m46"): personal data only.
bool bFunImportPrimaryDataFromFile(ErrorStream& es, const std::string& source,
                                   const std::string& target, ProgressSink* progress = nullptr);
