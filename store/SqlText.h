#pragma once
// Every SQL statement of the store quotes through these two helpers.
#include <string>
#include <string_view>

// `name` with back-quotes doubled.
std::string SqlIdent(std::string_view name);
// 'value' with apostrophes doubled.
std::string SqlValue(std::string_view value);
// '123': numbers are written as decimal text between apostrophes.
std::string SqlValue(int value);
// The value with every apostrophe doubled (an escaped copy; the input is not changed).
std::string DoubleApostrophes(std::string_view value);
