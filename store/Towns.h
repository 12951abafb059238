#pragma once
// Tables `city` and `province` (one column `name`) of the data folder's "ustawienia.sqset".
#include <string>
#include <vector>
#include "store/ErrorStream.h"

// Replace `items` with the names in ascending order; on failure `items` keeps what it held
// (or the names read before a failure while stepping).
bool bFunStudentDataLoadCityList(ErrorStream& es, std::vector<std::string>& items);
bool bFunStudentDataLoadProvinceList(ErrorStream& es, std::vector<std::string>& items);
// Add the name unless a row already holds it.
bool bFunStudentDataAddCity(ErrorStream& es, const std::string& name);
bool bFunStudentDataAddProvince(ErrorStream& es, const std::string& name);
