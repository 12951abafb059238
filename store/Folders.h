#pragma once
// The data folder ($XDG_DATA_HOME or ~/.local/share, then "Tovrix-Vlm", then the login
// name with the Polish letters folded), the program folder (the executable's folder),
// the store's file names and the small file operations. Paths are UTF-8, joined with "/".
#include <string>
#include "store/ErrorStream.h"

// Empty text = no override. Tests point both folders at temporary folders.
void SetDataFolderOverride(std::string folder);
void SetProgramFolderOverride(std::string folder);

inline constexpr const char* kWorkingCopyName = "data_tmp.sqtmp";
inline constexpr const char* kLogFileName = "logs.sqdb";
inline constexpr const char* kTemplatesFileName = "szablony.sqset";
inline constexpr const char* kSettingsFileName = "ustawienia.sqset";
inline constexpr const char* kCalibrationFileName = "vlm_kalibracja.sqset";
inline constexpr const char* kRequiredFilesListName = "pliki_kat.sqset";

// "Ćma Żółta" -> "Cma Zolta": the eighteen Polish letters become plain ones.
std::string FoldPolishLetters(std::string text);
// folder + "/" + name; an empty folder gives the empty text.
std::string JoinPath(const std::string& folder, const std::string& name);
bool FileExists(const std::string& path);

// The data folder, created when missing (both levels); the empty text on failure.
std::string strFunGetMainDirPath(ErrorStream& es);
// Creates one folder level when missing; true when it exists afterwards.
bool CreateDataFolder(ErrorStream& es, const std::string& path);
std::string DataTmpPath(ErrorStream& es);
std::string SettingsFilePath(ErrorStream& es, bool programFolder);
std::string CalibrationFilePath(ErrorStream& es, bool programFolder);
// Creates the templates file as an empty database when it is missing.
std::string TemplatesFilePath(ErrorStream& es);
std::string ProgramFolderPath(ErrorStream& es);
// Deletes the working copy and any journal or write-ahead log SQLite left beside it.
bool bFunDeleteTmpFile(ErrorStream& es);
// Whole-file copy (store/FileCopy.h); the message's code is the system's error code.
bool bFunCopyFile(ErrorStream& es, const std::string& source, const std::string& target,
                  bool failIfExists);
// Gives the owner write permission back; false (no message) when the file is missing
// or its mode cannot be changed.
bool ClearFileAttributes(ErrorStream& es, const std::string& path);
// Replaces every occurrence of `from` in `text` by `to`.
void ReplaceAll(ErrorStream& es, std::string& text, const std::string& from, const std::string& to);
