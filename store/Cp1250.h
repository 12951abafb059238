#pragma once
// Windows-1250 <-> UTF-8. Every SQLite file of the program keeps Windows-1250 bytes;
// text in memory is UTF-8. All 256 bytes round-trip (the five bytes the code page leaves
// unassigned map to U+0081, U+0083, U+0088, U+0090, U+0098); a character without a
// Windows-1250 byte becomes "?".
#include <cstddef>
#include <string>
#include <string_view>

std::string Utf8ToCp1250(std::string_view utf8);
// The same bytes appended to `out`.
void AppendCp1250(std::string_view utf8, std::string& out);
std::string Cp1250ToUtf8(std::string_view cp1250);
bool IsCp1250Representable(std::string_view utf8);
// Number of Windows-1250 bytes the text takes once converted.
std::size_t Cp1250Length(std::string_view utf8);
