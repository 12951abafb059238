#include "main/CalibrationTransfer.h"

#include "render/Catalogue.h"
#include "store/Calibration.h"
#include "store/DatabaseCopy.h"
#include "store/FileCopy.h"
#include "store/Folders.h"
#include "store/Log.h"

namespace {

constexpr const char* kImportFun = "ImportujPlikKalibracji()";

// The copy's failure as the user reads it: `source` and `target` as the user knows them.
bool CopyFailed(ErrorStream& es, const char* fun, const std::string& source,
                const std::string& target, int error)
{
    es.str(std::string("Funkcja: ") + fun + "\n\nBłąd podczas próby kopiowania pliku\nz\n" +
           source + "\ndo\n" + target + "\nKod błędu: " + std::to_string(error) +
           "\n\nDane nie zostały zapisane.");
    LogWrite(es, fun);
    return false;
}

bool Refused(ErrorStream& es, const std::string& source, const std::string& reason)
{
    es.str(std::string("Funkcja: ") + kImportFun + "\n\nPlik\n" + source +
           "\nnie jest plikiem kalibracji (" + reason + ").\n\nDane nie zostały zapisane.");
    LogWrite(es, kImportFun);
    return false;
}

}  // namespace

bool ExportCalibrationFile(ErrorStream& es, const std::string& target)
{
    const std::string source = CalibrationFilePath(es, false);
    const int error = CopyFileReplacing(source, target);
    return error == 0 || CopyFailed(es, "EksportujPlikKalibracji()", source, target, error);
}

bool ImportCalibrationFile(ErrorStream& es, const std::string& source)
{
    const std::string target = CalibrationFilePath(es, false);
    // The chosen file is only read: what SQLite reads of it (a write cut off played back, a
    // log taken in) is copied into the data folder, checked there and taken from there.
    const std::string taken = JoinPath(strFunGetMainDirPath(es), "kalibracja_import.sqtmp");
    const DatabaseCopyResult copy = CopyDatabaseAsRead(source, taken);
    if (copy.error != 0)
        return CopyFailed(es, kImportFun, source, target, copy.error);
    std::string reason;
    bool imported = false;
    if (!copy.damage.empty())
        Refused(es, source, "plik jest uszkodzony: " + copy.damage);
    else if (!IsCalibrationFile(taken, CalibrationSetNames(), reason))
        Refused(es, source, reason);
    else if (const int error = CopyFileReplacing(taken, target))
        CopyFailed(es, kImportFun, source, target, error);
    else
        imported = true;
    RemoveDatabaseFiles(taken);
    return imported;
}
