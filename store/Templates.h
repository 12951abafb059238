#pragma once
// School-data templates "szablony.sqset": one table per template (id, comp_name, value).
#include <string>
#include <vector>
#include "store/ErrorStream.h"
#include "store/Records.h"

// The template afterwards holds exactly `records` (replaced in one transaction).
bool bFunSqlTemplateWriteData(ErrorStream& es, const std::string& file, const std::string& name,
                              const std::vector<FieldRecord>& records);
// Replaces `out` with the template's rows; a missing template reads as empty with true.
bool bFunSqlTemplateReadData(ErrorStream& es, const std::string& file, const std::string& name,
                             std::vector<FieldRecord>& out);
