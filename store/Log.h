#pragma once
// The log "logs.sqdb" in the data folder: table `error` (kind 0) and `info` (kind 1),
// columns datetime (UTC, "2015.6.23 7:5:9"), fun, info.
#include <string>
#include "store/ErrorStream.h"

// Appends the stream's text under `fun`, as far as it can: nothing is written when the data
// folder cannot be found or the log cannot be written, and nothing is thrown.
void LogWrite(ErrorStream& es, const std::string& fun, int kind = 0);

// The log's date-time text of a UTC time: year.month.day hour:minute:second, no leading zeros.
std::string LogDateTime(int year, int month, int day, int hour, int minute, int second);
