#include "main/CalibrationTransfer.h"

#include "render/Catalogue.h"
#include "store/Calibration.h"
#include "store/FileCopy.h"
#include "store/Folders.h"
#include "store/Log.h"

namespace {

bool Copy(ErrorStream& es, const char* fun, const std::string& source, const std::string& target)
{
    const int error = CopyFileReplacing(source, target);
    if (error == 0)
        return true;
    es.str(std::string("Funkcja: ") + fun + "\n\nBłąd podczas próby kopiowania pliku\nz\n" + source +
           "\ndo\n" + target + "\nKod błędu: " + std::to_string(error) +
           "\n\nDane nie zostały zapisane.");
    LogWrite(es, fun);
    return false;
}

}  // namespace

bool ExportCalibrationFile(ErrorStream& es, const std::string& target)
{
    return Copy(es, "EksportujPlikKalibracji()", CalibrationFilePath(es, false), target);
}

bool ImportCalibrationFile(ErrorStream& es, const std::string& source)
{
    static constexpr const char* kFun = "ImportujPlikKalibracji()";
    std::string reason;
    if (!IsCalibrationFile(source, CalibrationSetNames(), reason)) {
        es.str(std::string("Funkcja: ") + kFun + "\n\nPlik\n" + source +
               "\nnie jest plikiem kalibracji (" + reason + ").\n\nDane nie zostały zapisane.");
        LogWrite(es, kFun);
        return false;
    }
    return Copy(es, kFun, source, CalibrationFilePath(es, false));
}
