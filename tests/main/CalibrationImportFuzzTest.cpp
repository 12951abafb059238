// Damaged calibration files never replace the user's: a fixed-seed loop of mutated copies
// of the factory file (bit flips, zeroed stretches, truncations), each either refused with
// the user's file left as it was, or taken and then readable in every one of its sets.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "main/CalibrationTransfer.h"
#include "render/Catalogue.h"
#include "store/Calibration.h"
#include "store/CppSQLite3.h"
#include "store/Folders.h"
#include "tests/support/TempFolders.h"

namespace {

namespace fs = std::filesystem;

std::string Bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Mutated(const std::string& original, std::mt19937& random)
{
    std::string bytes = original;
    auto at = [&](std::size_t size) {
        return std::uniform_int_distribution<std::size_t>(0, size - 1)(random);
    };
    switch (random() % 3) {
    case 0:
        for (int flips = 1 + int(random() % 16); flips > 0; --flips)
            bytes[at(bytes.size())] ^= char(1u << (random() % 8));
        break;
    case 1: {
        const std::size_t from = at(bytes.size());
        const std::size_t length = std::min<std::size_t>(bytes.size() - from, 1 + random() % 4096);
        bytes.replace(from, length, length, '\0');
        break;
    }
    default:
        bytes.resize(at(bytes.size()));
        break;
    }
    return bytes;
}

bool EverySetReads(const std::string& file)
{
    for (std::string_view set : CalibrationSetNames()) {
        ErrorStream es;
        std::vector<CalibrationRecord> rows;
        try {
            if (!bFunCalibLoadData(es, file, std::string(set), rows))
                return false;
        } catch (const CppSQLite3Exception&) {
            return false;
        }
    }
    return true;
}

}  // namespace

TEST(CalibrationImportFuzz, DamagedFilesNeverReplaceTheUsersCalibration)
{
    TempFolders folders;
    folders.copyFactoryFiles();
    ErrorStream es;
    const std::string user = CalibrationFilePath(es, false);
    fs::copy_file(CalibrationFilePath(es, true), user, fs::copy_options::overwrite_existing);
    const std::string original = Bytes(user);
    ASSERT_TRUE(EverySetReads(user));

    std::mt19937 random(20261210);
    const std::string candidate = folders.root() + "/zmieniona.sqset";
    int taken = 0;
    for (int i = 0; i < 100; ++i) {
        SCOPED_TRACE("mutation " + std::to_string(i));
        fs::copy_file(CalibrationFilePath(es, true), user, fs::copy_options::overwrite_existing);
        std::ofstream(candidate, std::ios::binary | std::ios::trunc) << Mutated(original, random);
        if (ImportCalibrationFile(es, candidate)) {
            ++taken;
            EXPECT_TRUE(EverySetReads(user));
        } else {
            EXPECT_EQ(Bytes(user), original);
        }
    }
    // Flips inside cell values leave a sound file; the loop must reach both outcomes.
    EXPECT_GT(taken, 0);
    EXPECT_LT(taken, 100);
}

// Values that cannot print are refused and the row is named; the edges of the page and of
// the font sizes are taken.
TEST(CalibrationImport, ValuesOffThePageOrAbsurdFontSizesAreRefusedNamingTheRow)
{
    TempFolders folders;
    folders.copyFactoryFiles();
    ErrorStream es;
    const std::string factory = CalibrationFilePath(es, true);
    const std::string user = CalibrationFilePath(es, false);
    const std::string candidate = folders.root() + "/kalibracja.sqset";
    const std::string set(CalibrationSetNames().front());
    std::string row;
    {
        CppSQLite3DB db;
        db.Open(factory, CppSQLite3DB::OpenMode::ReadOnly);
        row = db.RunQuery("select name from `" + set + "` limit 1").TextAt(0);
    }
    struct Case {
        const char* change;
        const char* refusal;  // empty: taken
    };
    const Case cases[] = {
        {"font_size = 2147483647", "rozmiar czcionki 2147483647 jest spoza zakresu 4–96"},
        {"font_size = 3", "rozmiar czcionki 3 jest spoza zakresu 4–96"},
        {"font_size = 97", "rozmiar czcionki 97 jest spoza zakresu 4–96"},
        {"font_size = 4", ""},
        {"font_size = 96", ""},
        {"x1 = 0, y1 = 0, x2 = 885, y2 = 1314", ""},
        {"x1 = -1, y1 = 0, x2 = 885, y2 = 1314",
         "prostokąt (-1, 0, 885, 1314) nie leży na stronie 885 × 1314"},
        {"x1 = 0, y1 = 0, x2 = 886, y2 = 1314",
         "prostokąt (0, 0, 886, 1314) nie leży na stronie 885 × 1314"},
        {"x1 = 0, y1 = 0, x2 = 885, y2 = 1315",
         "prostokąt (0, 0, 885, 1315) nie leży na stronie 885 × 1314"},
        {"x1 = 10, y1 = 0, x2 = 5, y2 = 20",
         "prostokąt (10, 0, 5, 20) nie leży na stronie 885 × 1314"},
        {"x1 = 0, y1 = 30, x2 = 5, y2 = 20",
         "prostokąt (0, 30, 5, 20) nie leży na stronie 885 × 1314"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.change);
        fs::copy_file(factory, user, fs::copy_options::overwrite_existing);
        fs::copy_file(factory, candidate, fs::copy_options::overwrite_existing);
        {
            CppSQLite3DB db;
            db.Open(candidate);
            db.RunUpdate("update `" + set + "` set " + c.change + " where name = '" + row + "'");
        }
        const bool taken = ImportCalibrationFile(es, candidate);
        EXPECT_EQ(taken, *c.refusal == '\0');
        if (taken) {
            EXPECT_TRUE(Bytes(user) == Bytes(candidate));
        } else {
            EXPECT_TRUE(Bytes(user) == Bytes(factory));
            EXPECT_EQ(es.str(), "Funkcja: ImportujPlikKalibracji()\n\nPlik\n" + candidate +
                                    "\nnie jest plikiem kalibracji (zestaw \"" + set +
                                    "\", wiersz \"" + row + "\": " + c.refusal +
                                    ").\n\nDane nie zostały zapisane.");
        }
    }
}
