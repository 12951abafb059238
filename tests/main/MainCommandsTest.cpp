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
#include <vector>

#include "forms/dialogs/SchoolDataDialog.h"
#include "forms/dialogs/StudentDialog.h"
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
    const std::pair<QCheckBox * TFGlowna::*, const char*> options[] = {
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
        EXPECT_EQ(window().displayOptions().strikeEmpty,
                  window().WykreskujPusteCheckBox->isChecked());
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
    auto* calibration =
        dynamic_cast<TFKalibracja*>(WindowRegistry::instance().window("TFKalibracja"));
    ASSERT_NE(calibration, nullptr);

    struct Entry {
        const char* action;
        bool advanced;
        const char* caption;
    };
    for (const Entry& entry :
         {Entry{"Formatowaniewiadectwapodstawowe1", false, "Formatowanie podstawowe"},
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
    const std::string expected =
        "Funkcja: EksportujPlikKalibracji()\n\nBłąd podczas próby kopiowania "
        "pliku\nz\n" +
        calibrationFile() + "\ndo\n" + target + "\nKod błędu: 2\n\nDane nie zostały zapisane.";
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

namespace {

// A copy of `source` changed by `sql`.
std::string ChangedCopy(const std::string& source, const std::string& target,
                        const std::string& sql)
{
    fs::copy_file(source, target, fs::copy_options::overwrite_existing);
    CppSQLite3DB db;
    db.Open(target);
    db.RunUpdate(sql);
    db.Close();
    return target;
}

}  // namespace

TEST_F(CommandsTest, ImportTakesOnlyASoundCalibrationFileAndKeepsTheUsersFileOtherwise)
{
    const std::string before = ReadFile(calibrationFile());
    const std::string root = folders.root() + "/";
    const std::string notDatabase = root + "tekst.sqset";
    std::ofstream(notDatabase)
        << "to nie jest baza danych, tylko zwykły tekst o długości ponad sto bajtów, "
           "żeby nagłówek SQLite na pewno się nie zgadzał.";
    const std::string empty = root + "pusta.sqset";
    std::ofstream{empty};
    const std::string damaged = root + "uszkodzona.sqset";
    fs::copy_file(calibrationFile(), damaged);
    {
        std::fstream file(damaged, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(3 * 4096);
        file << std::string(8192, '\xA5');
    }
    struct Case {
        std::string source;
        std::string reason;
    };
    const Case cases[] = {
        {notDatabase, "plik jest uszkodzony: UNKNOWN_ERROR[26]: file is not a database"},
        {empty, "brak zestawu \"swiad_200\""},
        {ChangedCopy(calibrationFile(), root + "bez_zestawu.sqset", "drop table `swiad_205_bk`"),
         "brak zestawu \"swiad_205_bk\""},
        {ChangedCopy(calibrationFile(), root + "bez_kolumny.sqset",
                     "alter table `arkusz_280a_str9` drop column `font_style_strike`"),
         "zestaw \"arkusz_280a_str9\" nie ma kolumny \"font_style_strike\""},
        {damaged, ""},  // the integrity check or the read fails: refused either way
    };
    for (const Case& c : cases) {
        dialogs.clearRequests();
        dialogs.answerOpenFile(QString::fromStdString(c.source)).answerMessage(Answer::Ok);
        window().action("Importujustawieniakalibracji1")->trigger();
        ASSERT_EQ(messages().size(), 1u) << c.source;
        const std::string shown = messages()[0].text.toStdString();
        EXPECT_EQ(shown.rfind("Funkcja: ImportujPlikKalibracji()\n\nPlik\n" + c.source +
                                  "\nnie jest plikiem kalibracji (",
                              0),
                  0u)
            << shown;
        if (!c.reason.empty()) {
            EXPECT_NE(shown.find("(" + c.reason + ")"), std::string::npos) << shown;
        }
        EXPECT_EQ(messages()[0].caption, "Atrybuty");
        EXPECT_EQ(ReadFile(calibrationFile()), before) << c.source;
    }
    // A file that cannot be read is reported with the system's error code.
    const std::string missing = root + "nie_ma.sqset";
    dialogs.clearRequests();
    dialogs.answerOpenFile(QString::fromStdString(missing)).answerMessage(Answer::Ok);
    window().action("Importujustawieniakalibracji1")->trigger();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text.toStdString(),
              "Funkcja: ImportujPlikKalibracji()\n\nBłąd podczas próby kopiowania pliku\nz\n" +
                  missing + "\ndo\n" + calibrationFile() +
                  "\nKod błędu: 2\n\nDane nie zostały zapisane.");
    EXPECT_EQ(ReadFile(calibrationFile()), before);
    EXPECT_EQ(dialogs.requestsOf(DialogKind::OpenFile).at(0).caption, "Wczytaj plik kalibracji");
    EXPECT_FALSE(fs::exists(calibrationFile() + ".vlm-kopia"));

    // A sound file, even with a table of its own besides the sets, replaces the user's.
    const std::string valid =
        ChangedCopy(calibrationFile(), root + "inna.sqset", "create table `uwagi`( tekst TEXT )");
    dialogs.clearRequests();
    dialogs.answerOpenFile(QString::fromStdString(valid));
    window().action("Importujustawieniakalibracji1")->trigger();
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(ReadFile(calibrationFile()), ReadFile(valid));
}

TEST_F(CommandsTest, EachFileDialogProposesOnlyItsOwnName)
{
    const std::string certificates = folders.root() + "/kopia.sqvlm";
    std::ofstream{certificates};
    const std::string exported = folders.root() + "/eksport.sqset";
    dialogs.answerOpenFile(QString::fromStdString(certificates))
        .answerOpenFile(std::nullopt)
        .answerOpenFile(std::nullopt)
        .answerOpenFile(std::nullopt)
        .answerSaveFile(QString::fromStdString(exported))
        .answerSaveFile(std::nullopt)
        .answerSaveFile(std::nullopt);
    window().action("Otworzplik1")->trigger();
    window().action("Importujustawieniakalibracji1")->trigger();
    window().action("Importuj1")->trigger();
    window().action("ImportButton")->trigger();
    window().action("Eksportujustawieniakalibracji1")->trigger();
    window().action("Zapiszjako1")->trigger();
    window().action("Eksportujustawieniakalibracji1")->trigger();

    const std::vector<DialogRequest> asked = dialogs.requestsOf(DialogKind::OpenFile);
    ASSERT_EQ(asked.size(), 4u);
    for (const DialogRequest& request : asked)
        EXPECT_TRUE(request.text.isEmpty())
            << request.caption.toStdString() << ": " << request.text.toStdString();
    const std::vector<DialogRequest> saved = dialogs.requestsOf(DialogKind::SaveFile);
    ASSERT_EQ(saved.size(), 3u);
    EXPECT_EQ(saved[1].caption, "Zapisz");
    EXPECT_EQ(saved[1].text, "nowy");  // never the calibration file just exported
    EXPECT_EQ(saved[2].text, "vlm_kalibracja");
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
    EXPECT_EQ(os.opened,
              (QStringList{manual, manual, ContactPageUrl(), ContactPageUrl(), MakerSiteUrl()}));
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

// Each tool button, menu entry and popup entry reaches its command: with no file open and
// nothing selected, each shows what only its own command shows.
TEST_F(CommandsTest, EveryBindingRunsItsCommand)
{
    QDialog* studentDialog = FDaneUcznia;
    QDialog* schoolDialog = FDaneSzkoly;
    storeSetting("create_school_data_template", 0);
    const struct {
        std::vector<const char*> names;
        DialogKind kind;
        QString text;  // message text, file dialog title, or the modal dialog's name
        bool modified = false;
    } bindings[] = {
        {{"NowyPlikToolButton", "Nowyplik1"},
         DialogKind::Message,
         "Czy chcesz zapisać zmiany ?",
         true},
        {{"OtworzPlikToolButton", "Otworzplik1"}, DialogKind::OpenFile, "Wczytaj plik"},
        {{"SaveButton", "Zapisz1", "Zapiszjako1"}, DialogKind::SaveFile, "nowy"},
        {{"ToolButton11", "Szablondanychszkoly1"}, DialogKind::Modal, schoolDialog->objectName()},
        {{"DodajUczniaToolButton", "Dodajnowegoucznia1", "Dodajucznia1"},
         DialogKind::Modal,
         studentDialog->objectName()},
        {{"EdytujDaneUczniaToolButton", "Edytujdanewybranegoucznia1", "UsunUczniaToolButton",
          "Usunwybranegoucznia1"},
         DialogKind::Message,
         "Nie wybrano ucznia z listy"},
        {{"EdytujSwiadectwoToolButton", "Edytujwybraneswiadectwo1"},
         DialogKind::Message,
         "Nie wybrano świadectwa z listy"},
        {{"DrukujToolButton", "Drukujwybraneswiadectwo1"},
         DialogKind::Message,
         "Zaznacz świadectwo które chciesz wydrukować"},
        {{"ImportujdanezSP461"}, DialogKind::Message, QString()},  // bound to nothing
    };
    for (const auto& binding : bindings) {
        for (const char* name : binding.names) {
            SCOPED_TRACE(name);
            dialogs.clearRequests();
            switch (binding.kind) {
            case DialogKind::OpenFile:
                dialogs.answerOpenFile(std::nullopt);
                break;
            case DialogKind::SaveFile:
                dialogs.answerSaveFile(std::nullopt);
                break;
            case DialogKind::Modal:
                dialogs.answerModal(QDialog::Rejected);
                break;
            default:
                if (!binding.text.isEmpty())
                    dialogs.answerMessage(binding.modified ? Answer::No : Answer::Ok);
            }
            window().Modified = binding.modified ? 1 : 0;
            window().action(name)->trigger();
            if (binding.text.isEmpty()) {
                EXPECT_TRUE(dialogs.requests().empty());
                continue;
            }
            ASSERT_EQ(dialogs.requests().size(), 1u);
            EXPECT_EQ(dialogs.requests()[0].kind, binding.kind);
            const QString shown = binding.kind == DialogKind::OpenFile
                                      ? dialogs.requests()[0].caption
                                      : dialogs.requests()[0].text;
            EXPECT_EQ(shown, binding.text);
        }
    }
}
