#include "main/ImportCommands.h"

#include <filesystem>
#include <fstream>
#include <string>

#include "main/ImportHost.h"
#include "main/SqlImport.h"
#include "platform/DialogService.h"
#include "store/Folders.h"
#include "store/Frame.h"
#include "store/Import.h"

namespace {

namespace fs = std::filesystem;

using Importer = bool (*)(ErrorStream&, const std::string&, const std::string&, ProgressSink*,
                          ImportNotes*);

struct ImportCommand {
    const char* title;
    const char* filter;
    Importer importer;
};

constexpr ImportCommand kMusicSchoolImport = {"Import danych", "Sonavera(*.snv)|*.snv",
                                              bFunImportDataFromFile};
constexpr ImportCommand kPrimarySchoolImport = {
    "Import danych uczniów z SP 4-6", "Miralenska(*.m46)|*.m46", bFunImportPrimaryDataFromFile};

// The new working copy grows here, in the data folder beside the old one.
constexpr const char* kImportFileName = "data_import.sqtmp";
constexpr const char* kLogName = "ReplaceWorkingCopy()";

// Moves the imported file over the working copy in one step. An export without students
// left no file: the working copy then becomes an empty file, a certificates file without
// students.
bool ReplaceWorkingCopy(ErrorStream& es, const std::string& imported, const std::string& working)
{
    if (!FileExists(imported) && !std::ofstream(imported, std::ios::binary)) {
        Fail(es, "Błąd tworzenia pliku: \n" + imported, kLogName);
        return false;
    }
    std::error_code ec;
    fs::rename(imported, working, ec);
    if (ec) {
        Fail(es,
             "Błąd zastępowania pliku:\n" + working + "\nKod błędu: " + std::to_string(ec.value()),
             kLogName);
        return false;
    }
    return true;
}

// The import window, on screen for as long as this lives.
class ImportWindowShown {
public:
    ImportWindowShown()
    {
        if (FSQLImport)
            FSQLImport->show();
    }
    ~ImportWindowShown()
    {
        if (FSQLImport)
            FSQLImport->close();
    }
    ImportWindowShown(const ImportWindowShown&) = delete;
    ImportWindowShown& operator=(const ImportWindowShown&) = delete;
};

// The file the import writes, gone (with any journal SQLite left beside it) before the
// import starts and when it ends, however it ends; an import that succeeded has moved it
// over the working copy by then.
class ImportFile {
public:
    explicit ImportFile(std::string path)
        : path_(std::move(path))
    {
        remove();
    }
    ~ImportFile() { remove(); }
    ImportFile(const ImportFile&) = delete;
    ImportFile& operator=(const ImportFile&) = delete;
    const std::string& path() const { return path_; }

private:
    void remove() const
    {
        for (const char* suffix : {"", "-journal", "-wal", "-shm"}) {
            std::error_code ignored;
            fs::remove(path_ + suffix, ignored);
        }
    }
    std::string path_;
};

// Imports `source` and replaces the working copy; false leaves the working copy as it
// was and the reason in the stream.
bool ImportIntoWorkingCopy(ErrorStream& es, Importer importer, const std::string& source,
                           ImportNotes& notes)
{
    const std::string folder = strFunGetMainDirPath(es);
    if (folder.empty())
        return false;
    const ImportFile imported(JoinPath(folder, kImportFileName));
    const ImportWindowShown window;
    return importer(es, source, imported.path(), FSQLImport, &notes) &&
           ReplaceWorkingCopy(es, imported.path(), JoinPath(folder, kWorkingCopyName));
}

void ShowWhatWasPassedOver(const ImportNotes& notes)
{
    if (notes.skipped.empty())
        return;
    QString text = "Dane zostały zaimportowane, z wyjątkiem:\n";
    for (const std::string& line : notes.skipped)
        text += "\n" + QString::fromStdString(line);
    DialogService::instance().message(text, "Import danych", MsgIcon::Warning, MsgButtons::Ok);
}

void RunImportCommand(ImportHost& host, const ImportCommand& command)
{
    const auto chosen =
        DialogService::instance().openFileName(command.title, command.filter, QString());
    if (!chosen)
        return;
    ErrorStream& es = host.errorStream();
    ImportNotes notes;
    if (!ImportIntoWorkingCopy(es, command.importer, chosen->toStdString(), notes)) {
        DialogService::instance().message("Błąd podczas importu danych.\n\n" +
                                              QString::fromStdString(es.str()),
                                          "Błąd", MsgIcon::Error, MsgButtons::Ok);
        return;
    }
    host.setModified();
    host.ReloadStudentsList();
    ShowWhatWasPassedOver(notes);
}

}  // namespace

void Importuj1Click(ImportHost& host)
{
    RunImportCommand(host, kMusicSchoolImport);
}

void ImportButtonClick(ImportHost& host)
{
    RunImportCommand(host, kPrimarySchoolImport);
}
