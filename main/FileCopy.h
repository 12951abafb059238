#pragma once
// Copies a whole file so that the target is either the old file or the complete new one:
// the bytes go to a temporary file beside the target, which then replaces it.
#include <string>

// 0 on success, else the system error code (errno) of the step that failed; the
// temporary file is removed and the target left as it was.
int CopyFileReplacing(const std::string& source, const std::string& target);
