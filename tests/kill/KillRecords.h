#pragma once
// The large student both the helper process and the test build: the same tag and row
// count always give the same records.
#include <string>
#include <vector>
#include "store/Records.h"

inline constexpr const char* kKilledStudentTable = "PESEL90010112345";

std::vector<FieldRecord> LargeStudent(const std::string& tag, int rows);
