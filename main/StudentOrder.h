#pragma once
// The order of the students in the tree: by a key made of the display name's
// Windows-1250 bytes with a-z upper-cased and the Polish letters folded to plain
// capitals, compared as unsigned bytes; equal keys keep the list's order.
#include <string>
#include <string_view>
#include <vector>

#include "store/Records.h"

std::string StudentSortKey(std::string_view displayName);
std::vector<StudentEntry> SortedStudents(std::vector<StudentEntry> students);
