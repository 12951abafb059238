#include "render/CalibrationLoad.h"

#include "store/Calibration.h"
#include "store/CppSQLite3.h"
#include "store/ErrorStream.h"
#include "store/Log.h"

bool LoadCalibrationRows(ErrorStream& errors, const std::string& file, const std::string& set,
                         std::vector<CalibrationRecord>& rows)
{
    try {
        return bFunCalibLoadData(errors, file, set, rows);
    } catch (const CppSQLite3Exception& e) {
        errors.clear();
        errors << "SQLite exception: \n" << CppSQLite3Exception::CodeName(e.Code());
        LogWrite(errors, "bFunCalibLoadData()");
        return false;
    }
}
