#pragma once
// Brings the data folder up to the program folder's "pliki_kat.sqset": creates the folders
// of table `dir`, copies the files of table `files` that are missing or flagged `update`.
#include "store/ErrorStream.h"

bool bFunCheckFilesDir(ErrorStream& es);
