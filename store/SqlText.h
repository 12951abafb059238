#pragma once
// Quoting for SQL text: every name in a statement of the store quotes through SqlIdent;
// values are bound, and spelled into a statement only for the text a message shows.
#include <initializer_list>
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
// `sql` with each `?` outside quotes replaced, in order, by one of the values as SqlValue
// writes it: a statement run with bound values, as a message shows it.
std::string SpelledSql(std::string_view sql, std::initializer_list<std::string_view> values);
