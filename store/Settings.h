#pragma once
// Table `settings` (name, text_value, int_value) of the data folder's "ustawienia.sqset".
// Writing updates the key's row and inserts it when no row matched.
#include <string>
#include "store/ErrorStream.h"

bool bFunSqlSettingWriteValue(ErrorStream& es, const std::string& key, const std::string& value);
bool bFunSqlSettingWriteValue(ErrorStream& es, const std::string& key, int value);
// A key without a row (or a NULL column) reads as "" / 0 with true.
bool bFunSqlGetSettingsValue(ErrorStream& es, const std::string& key, std::string& out);
bool bFunSqlGetSettingsValue(ErrorStream& es, const std::string& key, int& out);
