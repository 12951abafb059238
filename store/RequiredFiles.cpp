#include "store/RequiredFiles.h"

#include <string>
#include <vector>

#include "store/CppSQLite3.h"
#include "store/Folders.h"
#include "store/Frame.h"
#include "store/SqlText.h"

namespace {

struct ListedFile {
    std::string name;  // as listed, for the flag reset
    std::string path;  // relative path with "/" separators
    int update = 0;
};

// Names in the list may use Windows separators.
std::string RelativePath(std::string name) {
    ErrorStream unused;
    ReplaceAll(unused, name, "\\", "/");
    return name;
}

}  // namespace

bool bFunCheckFilesDir(ErrorStream& es) {
    const std::string programFolder = ProgramFolderPath(es);
    const std::string listPath = JoinPath(programFolder, kRequiredFilesListName);
    if (ReportMissingFile(es, listPath, "Błąd podczas próby sprawdzenia wymaganych plików / katalogów.\nPlik nie istnieje: ",
                          "bFunCheckFilesDir()"))
        return false;
    CppSQLite3DB db;
    db.Open(listPath);
    try {
        std::vector<std::string> folders;
        {
            CppSQLite3Query query = db.RunQuery("select * from `dir`");
            for (; !query.AtEnd(); query.Step()) folders.push_back(RelativePath(query.ColumnTextByName("name")));
        }
        const std::string dataFolder = strFunGetMainDirPath(es);
        if (dataFolder.empty()) return false;
        for (const std::string& folder : folders)
            if (!CreateDataFolder(es, JoinPath(dataFolder, folder))) return false;

        std::vector<ListedFile> files;
        {
            CppSQLite3Query query = db.RunQuery("select * from `files`");
            for (; !query.AtEnd(); query.Step()) {
                const std::string name = query.ColumnTextByName("name");
                files.push_back({name, RelativePath(name), query.IntByName("update", 0)});
            }
        }
        for (const ListedFile& file : files) {
            const std::string source = JoinPath(programFolder, file.path);
            const std::string target = JoinPath(dataFolder, file.path);
            if (file.update != 0 || !FileExists(target)) {
                if (!bFunCopyFile(es, source, target, file.update == 0)) return false;
                // The user's copy is written to even when the installed one is read-only.
                ClearFileAttributes(es, target);
            }
            // Only flagged rows are written, so a read-only installed list still starts.
            if (file.update != 0)
                db.RunUpdate("update `files` set `update`='0' where `name`=" + SqlValue(file.name));
        }
        db.Close();
        return true;
    } catch (const CppSQLite3Exception& e) {
        FailDb(es, "Sql exception: ", e, "bFunCheckFilesDir()");
        return false;
    }
}
