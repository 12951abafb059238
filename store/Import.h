#pragma once
// Import of the older Windows-1250 text exports into a new working copy.
#include <string>
#include <vector>
#include "store/ErrorStream.h"
#include "store/Progress.h"

// What an import that succeeded passed over, one line for the user per thing: a student
// skipped because his PESEL (or the lack of one) repeats an earlier student's, memo lines
// beyond the 99 a memo can keep.
struct ImportNotes {
    std::vector<std::string> skipped;
};

// Music-school export (".snv"): personal data and every document block.
bool bFunImportDataFromFile(ErrorStream& es, const std::string& source, const std::string& target,
                            ProgressSink* progress = nullptr, ImportNotes* notes = nullptr);
// Primary-school export (".m46"): personal data only.
bool bFunImportPrimaryDataFromFile(ErrorStream& es, const std::string& source,
                                   const std::string& target, ProgressSink* progress = nullptr,
                                   ImportNotes* notes = nullptr);
