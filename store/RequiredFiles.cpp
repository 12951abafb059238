#include "store/RequiredFiles.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "store/CppSQLite3.h"
#include "store/Folders.h"
#include "store/Frame.h"

namespace {

struct ListedFile {
    std::string name;  // as listed, for the flag reset
    std::string path;  // relative path with "/" separators
    int update = 0;
};

// Names in the list may use Windows separators.
std::string RelativePath(std::string name)
{
    ErrorStream unused;
    ReplaceAll(unused, name, "\\", "/");
    return name;
}

// A list this user may not write (a system-wide installation) keeps its replacement flags
// for every user. The user's data folder then records which installation's flagged files
// it has received: each installation writes the list anew, which gives it a new identity.
constexpr const char* kReplacementRecordName = "pliki_kat.stan";

// Writing the flags needs the list and its folder (SQLite's journal lies beside it).
bool ListWritable(const std::string& programFolder, const std::string& listPath)
{
    return access(listPath.c_str(), W_OK) == 0 && access(programFolder.c_str(), W_OK) == 0;
}

std::string ListIdentity(const std::string& listPath)
{
    struct stat st {};
    if (stat(listPath.c_str(), &st) != 0)
        return {};
    return std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino) + ":" +
           std::to_string(st.st_ctim.tv_sec) + "." + std::to_string(st.st_ctim.tv_nsec) + ":" +
           std::to_string(st.st_size);
}

std::string ReadRecord(const std::string& path)
{
    std::string line;
    std::ifstream in(path);
    std::getline(in, line);
    return line;
}

bool WriteRecord(ErrorStream& es, const std::string& path, const std::string& identity)
{
    const std::string temporary = path + ".nowy";
    const bool written = static_cast<bool>(std::ofstream(temporary) << identity << '\n');
    if (written && std::rename(temporary.c_str(), path.c_str()) == 0)
        return true;
    const int code = errno;
    std::remove(temporary.c_str());
    Fail(es, "Błąd podczas zapisu pliku:\n" + path + "\nKod błędu: " + std::to_string(code),
         "bFunCheckFilesDir()");
    return false;
}

}  // namespace

bool bFunCheckFilesDir(ErrorStream& es)
{
    const std::string programFolder = ProgramFolderPath(es);
    const std::string listPath = JoinPath(programFolder, kRequiredFilesListName);
    if (ReportMissingFile(
            es, listPath,
            "Błąd podczas próby sprawdzenia wymaganych plików / katalogów.\nPlik nie istnieje: ",
            "bFunCheckFilesDir()"))
        return false;
    CppSQLite3DB db;
    db.Open(listPath);
    return Guarded(es, {"Sql exception: ", "bFunCheckFilesDir()"}, [&] {
        std::vector<std::string> folders;
        {
            CppSQLite3Query query = db.RunQuery("select * from `dir`");
            for (; !query.AtEnd(); query.Step())
                folders.push_back(RelativePath(query.ColumnTextByName("name")));
        }
        const std::string dataFolder = strFunGetMainDirPath(es);
        if (dataFolder.empty())
            return false;
        for (const std::string& folder : folders)
            if (!CreateDataFolder(es, JoinPath(dataFolder, folder)))
                return false;

        std::vector<ListedFile> files;
        {
            CppSQLite3Query query = db.RunQuery("select * from `files`");
            for (; !query.AtEnd(); query.Step()) {
                const std::string name = query.ColumnTextByName("name");
                files.push_back({name, RelativePath(name), query.IntByName("update", 0)});
            }
        }
        const bool listWritable = ListWritable(programFolder, listPath);
        const std::string recordPath = JoinPath(dataFolder, kReplacementRecordName);
        const std::string installation = listWritable ? std::string() : ListIdentity(listPath);
        const bool replacedAlready = !listWritable && ReadRecord(recordPath) == installation;
        bool anyFlagged = false;
        for (const ListedFile& file : files) {
            const std::string source = JoinPath(programFolder, file.path);
            const std::string target = JoinPath(dataFolder, file.path);
            const bool replace = file.update != 0 && !replacedAlready;
            if (replace || !FileExists(target)) {
                if (!bFunCopyFile(es, source, target, !replace))
                    return false;
                // The user's copy is written to even when the installed one is read-only.
                ClearFileAttributes(es, target);
            }
            anyFlagged = anyFlagged || file.update != 0;
            // Only flagged rows are written, and only to a list this user may write.
            if (file.update != 0 && listWritable)
                db.RunUpdate("update `files` set `update`='0' where `name`=?", {file.name});
        }
        db.Close();
        if (anyFlagged && !listWritable && !replacedAlready)
            return WriteRecord(es, recordPath, installation);
        return true;
    });
}
