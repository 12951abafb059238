#pragma once
// The students in the tree. Their order: by a key made of the display name's
// Windows-1250 bytes with a-z upper-cased and the Polish letters folded to plain
// capitals, compared as unsigned bytes; equal keys keep the list's order.
#include <QString>

#include <string>
#include <string_view>
#include <vector>

#include "store/Records.h"

std::string StudentSortKey(std::string_view displayName);
std::vector<StudentEntry> SortedStudents(std::vector<StudentEntry> students);

// A student node's label: the display name, cut after kLongestTreeLabel characters with
// "…" appended. Only a damaged file holds a longer name, and the tree lays out every
// label again and again to size its column, which a name of megabytes would freeze.
inline constexpr qsizetype kLongestTreeLabel = 200;
QString StudentTreeLabel(const std::string& displayName);
