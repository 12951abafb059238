// Display options, scrolling, the calibration window entries, calibration export and
// import, and the help entries.
#include "tests/main/MainTestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QScrollBar>

#include <filesystem>
#include <fstream>

#include "main/Glowna.h"
#include "main/MakerAddresses.h"
#include "main/WindowRegistry.h"
#include "platform/Controls.h"
#include "tests/support/RecordingOsServices.h"
#include "render/CalibrationWindow.h"
#include "store/CppSQLite3.h"
#include "store/Folders.h"
#include "store/Logs.h"

namespace fs = std::filesystem;

class CommandsTest : public ShellTest {
protected:
    void SetUp() override { ASSERT_TRUE(start()); }
    std::string calibrationFile() const { return folders.dataFile("vlm_kalibracja.sqset"); }
};

TEST_F(CommandsTest, EachOptionClickWritesItsSetting)
{
    const std::pair<QCheckBox* TFGlowna::*, const char*> options[] = {
        {&TFGlowna::WykreskujPusteCheckBox, "strike_empty_fields"},
        {&TFGlowna::PrintNoDotsCheckBox, "print_without_dots"},
        {&TFGlowna::cbWordWrap, "word_wrap"},
    };
    for (const auto& [box, key] : options) {
        QCheckBox* option = window().*box;
        const int before = option->isChecked() ? 1 : 0;
        option->click();
        EXPECT_EQ(storedSetting(key), 1 - before) << key;
        option->click();
        EXPECT_EQ(storedSetting(key), before) << key;
        EXPECT_EQ(window().displayOptions().strikeEmpty, window().WykreskujPusteCheckBox->isChecked());
    }
    EXPECT_TRUE(dialogs.requests().empty());
}

TEST_F(CommandsTest, MouseWheelScrollsAllFourPagesByTheDelta)
{
    for (int page = 1; page <= 4; ++page)
        window().setPreviewPicture(page, QImage(885, 3000, QImage::Format_RGB32));
    window().FormMouseWheel(-120);
    for (::ScrollBox* box : window().ScrollBox)
        EXPECT_EQ(box->verticalScrollBar()->value(), 120) << box->objectName().toStdString();
    window().FormMouseWheel(240);
    for (::ScrollBox* box : window().ScrollBox)
        EXPECT_EQ(box->verticalScrollBar()->value(), 0);
}

TEST_F(CommandsTest, FormattingEntriesOpenTheCalibrationWindowWhileFormattingIsActive)
{
    auto* calibration = dynamic_cast<TFKalibracja*>(WindowRegistry::instance().window("TFKalibracja"));
    ASSERT_NE(calibration, nullptr);

    struct Entry {
        const char* action;
        bool advanced;
        const char* caption;
    };
    for (const Entry& entry : {Entry{"Formatowaniewiadectwapodstawowe1", false, "Formatowanie podstawowe"},
                               Entry{"Ustawieniaczcionki1", true, "Formatowanie zaawansowane"}}) {
        int activeWhileShown = -1;
        dialogs.answerModal([&](QDialog&) { activeWhileShown = window().FormattingActive; });
        window().action(entry.action)->trigger();
        EXPECT_EQ(activeWhileShown, 1);
        EXPECT_EQ(window().FormattingActive, 0);
        EXPECT_EQ(calibration->AdvancedMode, entry.advanced ? 1 : 0);
        EXPECT_EQ(calibration->x(), 5);
        EXPECT_EQ(dialogs.requests().back().caption, entry.caption);
    }
}

TEST_F(CommandsTest, ExportCopiesTheCalibrationFileAndReplacesAnExistingTarget)
{
    const std::string target = folders.root() + "/kalibracja.sqset";
    std::ofstream(target) << "stary plik";
    dialogs.answerSaveFile(QString::fromStdString(folders.root() + "/kalibracja"));
    window().action("Eksportujustawieniakalibracji1")->trigger();
    const auto request = dialogs.requestsOf(DialogKind::SaveFile).at(0);
    EXPECT_EQ(request.caption, "Zapisz plik kalibracji");
    EXPECT_EQ(request.detail, "Kalibracja(*.sqset)|*.sqset");
    EXPECT_EQ(request.text, "vlm_kalibracja");
    EXPECT_EQ(ReadFile(target), ReadFile(calibrationFile()));
    EXPECT_TRUE(messages().empty());
}

TEST_F(CommandsTest, FailedExportShowsTheCopyMessageAndLogsIt)
{
    const std::string target = folders.root() + "/brak/k.sqset";
    dialogs.answerSaveFile(QString::fromStdString(target)).answerMessage(Answer::Ok);
    window().action("Eksportujustawieniakalibracji1")->trigger();
    const std::string expected = "Funkcja: EksportujPlikKalibracji()\n\nBłąd podczas próby kopiowania "
                                 "pliku\nz\n" + calibrationFile() + "\ndo\n" + target +
                                 "\nKod błędu: 2\n\nDane nie zostały zapisane.";
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text.toStdString(), expected);
    EXPECT_EQ(messages()[0].caption, "Atrybuty");
    EXPECT_EQ(messages()[0].icon, MsgIcon::Warning);
    ErrorStream es;
    std::vector<LogRecord> log;
    ASSERT_TRUE(bFunSqlGetLogsData(es, log));
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].fun, "EksportujPlikKalibracji()");
    EXPECT_EQ(log[0].info, expected);
}

TEST_F(CommandsTest, ImportTakesOnlyADatabaseWithTablesAndKeepsTheOldFileOtherwise)
{
    const std::string before = ReadFile(calibrationFile());
    const std::string notDatabase = folders.root() + "/tekst.sqset";
    std::ofstream(notDatabase) << "to nie jest baza danych, tylko zwykły tekst o długości ponad sto bajtów, "
                                  "żeby nagłówek SQLite na pewno się nie zgadzał.";
    const std::string noTables = folders.root() + "/pusta.sqset";
    std::ofstream{noTables};
    const std::string missing = folders.root() + "/nie_ma.sqset";
    for (const std::string& source : {notDatabase, noTables, missing}) {
        dialogs.clearRequests();
        dialogs.answerOpenFile(QString::fromStdString(source)).answerMessage(Answer::Ok);
        window().action("Importujustawieniakalibracji1")->trigger();
        ASSERT_EQ(messages().size(), 1u) << source;
        EXPECT_TRUE(messages()[0].text.startsWith("Funkcja: ImportujPlikKalibracji()\n\n"));
        EXPECT_EQ(messages()[0].caption, "Atrybuty");
        EXPECT_EQ(ReadFile(calibrationFile()), before) << source;
    }
    EXPECT_EQ(dialogs.requestsOf(DialogKind::OpenFile).at(0).caption, "Wczytaj plik kalibracji");
    EXPECT_FALSE(fs::exists(calibrationFile() + ".vlm-kopia"));

    const std::string valid = folders.root() + "/inna.sqset";
    {
        CppSQLite3DB db;
        db.Open(valid, CppSQLite3DB::OpenMode::Create);
        db.RunUpdate("create table `swiad_205`( name TEXT )");
    }
    dialogs.clearRequests();
    dialogs.answerOpenFile(QString::fromStdString(valid));
    window().action("Importujustawieniakalibracji1")->trigger();
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(ReadFile(calibrationFile()), ReadFile(valid));
}

TEST_F(CommandsTest, HelpContactAndSiteEntriesHandTheirAddressToTheDesktop)
{
    RecordingOsServices os;
    window().action("PomocToolButton")->trigger();
    window().action("Instrukcjaobsugi1")->trigger();
    window().action("KontaktButton")->trigger();
    window().action("Wyslijwiadomosc1")->trigger();
    window().action("StronaInternetowa1")->trigger();
    const QString manual = QString::fromStdString(folders.programFile("Dovivureze.html"));
    EXPECT_EQ(os.opened, (QStringList{manual, manual, ContactPageUrl(), ContactPageUrl(), MakerSiteUrl()}));
    EXPECT_TRUE(ContactPageUrl().contains(".invalid"));
    EXPECT_TRUE(fs::exists(manual.toStdString()));
}

TEST_F(CommandsTest, ImportEntriesAskForTheirExportFile)
{
    const std::pair<const char*, const char*> entries[] = {
        {"Importuj1", "Sonavera(*.snv)|*.snv"},
        {"ImportujSP1", "Miralenska(*.m46)|*.m46"},
        {"ImportButton", "Miralenska(*.m46)|*.m46"},
    };
    for (const auto& [entry, filter] : entries) {
        dialogs.answerOpenFile(std::nullopt);
        window().action(entry)->trigger();
        EXPECT_EQ(dialogs.requests().back().detail, filter) << entry;
    }
    EXPECT_EQ(window().Modified, 0);
    EXPECT_TRUE(messages().empty());
}

TEST_F(CommandsTest, UpdateEntryReportsAnUnreachableServer)
{
    dialogs.answerMessage(Answer::Ok);
    window().action("Sprawdzczyjestnowawersja1")->trigger();
    QElapsedTimer waited;
    waited.start();
    while (messages().empty() && waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].text.startsWith("Błąd podczas próby połączenia z internetem"));
}
