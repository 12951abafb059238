// Writes the factory calibration file "vlm_kalibracja.sqset" from the form layouts.
// Usage: vlm_calibration <layouts folder> <output file>
#include "tools/calibration/CalibrationSets.h"

#include "forms/Layout.h"
#include "store/CppSQLite3.h"

#include <QGuiApplication>

#include <cstdio>
#include <exception>
#include <filesystem>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <layouts folder> <output file>\n", argv[0]);
        return 2;
    }
    // Measuring the printed words needs the font database, not a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int appArgc = 1;
    QGuiApplication app(appArgc, argv);
    const std::string output = argv[2];
    const std::string partial = output + ".part";
    try {
        const LayoutCatalog layouts = LayoutCatalog::fromDirectory(QString::fromLocal8Bit(argv[1]));
        WriteCalibrationFile(partial, BuildCalibrationSets(layouts));
        std::filesystem::rename(partial, output);
    } catch (const CppSQLite3Exception& e) {
        std::fprintf(stderr, "%s: %s\n", partial.c_str(), e.Message().c_str());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
