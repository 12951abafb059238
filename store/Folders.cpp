#include "store/Folders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <system_error>

#include "store/CppSQLite3.h"
#include "store/FileCopy.h"
#include "store/Log.h"

namespace fs = std::filesystem;

namespace {

// The update download asks for the data folder from its own thread.
std::mutex overrideMutex;
std::string dataFolderOverride;
std::string programFolderOverride;

std::string Override(const std::string& value)
{
    std::lock_guard lock(overrideMutex);
    return value;
}

std::string LoginName()
{
    if (const passwd* pw = getpwuid(geteuid()); pw && pw->pw_name && *pw->pw_name)
        return pw->pw_name;
    if (const char* user = std::getenv("USER"); user && *user)
        return user;
    return "user";
}

// The folder above "Tovrix-Vlm": $XDG_DATA_HOME, else ~/.local/share; empty when unknown.
std::string DataHome()
{
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        return xdg;
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::string(home) + "/.local/share";
    if (const passwd* pw = getpwuid(geteuid()); pw && pw->pw_dir && *pw->pw_dir)
        return std::string(pw->pw_dir) + "/.local/share";
    return {};
}

bool IsFolder(const std::string& path)
{
    std::error_code ec;
    return fs::is_directory(path, ec);
}

}  // namespace

void SetDataFolderOverride(std::string folder)
{
    std::lock_guard lock(overrideMutex);
    dataFolderOverride = std::move(folder);
}

void SetProgramFolderOverride(std::string folder)
{
    std::lock_guard lock(overrideMutex);
    programFolderOverride = std::move(folder);
}

std::string FoldPolishLetters(std::string text)
{
    static const char* const kLetters[][2] = {
        {"Ą", "A"}, {"ą", "a"}, {"Ć", "C"}, {"ć", "c"}, {"Ę", "E"}, {"ę", "e"},
        {"Ł", "L"}, {"ł", "l"}, {"Ń", "N"}, {"ń", "n"}, {"Ó", "O"}, {"ó", "o"},
        {"Ś", "S"}, {"ś", "s"}, {"Ź", "Z"}, {"ź", "z"}, {"Ż", "Z"}, {"ż", "z"},
    };
    ErrorStream unused;
    for (const auto& [letter, plain] : kLetters)
        ReplaceAll(unused, text, letter, plain);
    return text;
}

std::string JoinPath(const std::string& folder, const std::string& name)
{
    return folder.empty() ? std::string() : folder + "/" + name;
}

bool FileExists(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && fs::exists(path, ec);
}

bool CreateDataFolder(ErrorStream& es, const std::string& path)
{
    if (IsFolder(path))
        return true;
    if (mkdir(path.c_str(), 0777) == 0)
        return true;
    const int code = errno;
    es.clear();
    es << "Błąd podczas tworzenia katalogu:\n" << path << "\nKod błędu: " << code;
    LogWrite(es, "strFunGetMainDirPath()");
    return false;
}

std::string strFunGetMainDirPath(ErrorStream& es)
{
    if (std::string folder = Override(dataFolderOverride); !folder.empty())
        return CreateDataFolder(es, folder) ? folder : std::string();

    const std::string home = DataHome();
    std::error_code ec;
    if (home.empty() || (fs::create_directories(home, ec), !IsFolder(home))) {
        es.clear();
        es << "Błąd uzyskania ścieżki głównego katalagu.\n"
           << "Kod błędu: " << (ec ? ec.value() : ENOENT);
        LogWrite(es, "strFunGetMainDirPath()");
        return {};
    }
    std::string path = home + "/Tovrix-Vlm";
    if (!CreateDataFolder(es, path))
        return {};
    path = JoinPath(path, FoldPolishLetters(LoginName()));
    if (!CreateDataFolder(es, path))
        return {};
    return path;
}

std::string DataTmpPath(ErrorStream& es)
{
    return JoinPath(strFunGetMainDirPath(es), kWorkingCopyName);
}

std::string SettingsFilePath(ErrorStream& es, bool programFolder)
{
    return JoinPath(programFolder ? ProgramFolderPath(es) : strFunGetMainDirPath(es),
                    kSettingsFileName);
}

std::string CalibrationFilePath(ErrorStream& es, bool programFolder)
{
    return JoinPath(programFolder ? ProgramFolderPath(es) : strFunGetMainDirPath(es),
                    kCalibrationFileName);
}

std::string TemplatesFilePath(ErrorStream& es)
{
    const std::string path = JoinPath(strFunGetMainDirPath(es), kTemplatesFileName);
    if (!path.empty() && !FileExists(path)) {
        CppSQLite3DB db;
        db.Open(path, CppSQLite3DB::OpenMode::Create);
        db.Close();
    }
    return path;
}

std::string ProgramFolderPath(ErrorStream&)
{
    if (std::string folder = Override(programFolderOverride); !folder.empty())
        return folder;
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.parent_path().string();
}

bool bFunDeleteTmpFile(ErrorStream& es)
{
    const std::string path = DataTmpPath(es);
    if (path.empty())
        return true;
    // A save cut off leaves SQLite's journal (or write-ahead log) beside the working copy.
    // Left there, it would be played back into the next file copied in under the same name,
    // so it goes with the copy, after it.
    for (const std::string& file : {path, path + "-journal", path + "-wal", path + "-shm"}) {
        const int code = RemoveFileIfPresent(file);
        if (code == 0)
            continue;
        es.clear();
        es << "Błąd podczas próby kasowania pliku\n" << file << "\nKod błędu: " << code;
        LogWrite(es, "bFunDeleteTmpFile()");
        return false;
    }
    return true;
}

bool bFunCopyFile(ErrorStream& es, const std::string& source, const std::string& target,
                  bool failIfExists)
{
    const int code =
        failIfExists ? CopyFileIfAbsent(source, target) : CopyFileReplacing(source, target);
    if (code == 0)
        return true;
    es.clear();
    es << "Błąd podczas kopiowania pliku.\n\nZ: " << source << "\ndo: " << target
       << "\n\n Kod błędu: " << code;
    LogWrite(es, "bFunCopyFile()");
    return false;
}

bool ClearFileAttributes(ErrorStream&, const std::string& path)
{
    struct stat st {};
    if (stat(path.c_str(), &st) != 0)
        return false;
    return chmod(path.c_str(), st.st_mode | S_IWUSR) == 0;
}

void ReplaceAll(ErrorStream&, std::string& text, const std::string& from, const std::string& to)
{
    if (from.empty())
        return;
    for (std::size_t pos = text.find(from); pos != std::string::npos;
         pos = text.find(from, pos + to.size()))
        text.replace(pos, from.size(), to);
}
