#include "main/ProgramStart.h"

#include <QDialog>

#include "forms/FormRegistry.h"
#include "forms/dialogs/SchoolDataDialog.h"
#include "forms/dialogs/StudentDialog.h"
#include "main/Aktualizacja.h"
#include "main/CertificatesFile.h"
#include "main/Glowna.h"
#include "main/InstanceLock.h"
#include "main/Logi.h"
#include "main/OProgramie.h"
#include "main/SqlImport.h"
#include "main/UpdateCheckMainWindow.h"
#include "main/Wait.h"
#include "main/WindowRegistry.h"
#include "platform/Application.h"
#include "platform/DialogService.h"
#include "platform/Fonts.h"
#include "render/CalibrationWindow.h"
#include "render/DrukujWindow.h"
#include "store/FileCopy.h"
#include "store/Folders.h"

namespace {

// Registers `create` under `className`; the global instance follows the window's life.
template <class Window>
void Provide(WindowRegistry& registry, std::string_view className, Window*& global,
             std::function<Window*()> create)
{
    registry.provide(className, [&global, create] {
        global = create();
        QObject::connect(global, &QObject::destroyed, [&global] { global = nullptr; });
        return global;
    });
}

}  // namespace

QString CommandLineFile(const QStringList& arguments)
{
    const QString text = arguments.join(' ');
    return text.length() > 5 ? text : QString();
}

void ReportMissingFonts(const QStringList& missing)
{
    if (missing.isEmpty())
        return;
    DialogService::instance().message(
        "Brak czcionek, których program używa w oknach i na wydrukach:\n" + missing.join('\n') +
            "\n\nZamiast liter mogą się pokazywać puste prostokąty, a wydruki nie trafią w pola "
            "blankietów. Zainstaluj czcionki Liberation (pakiet fonts-liberation) i uruchom "
            "program "
            "ponownie.",
        "Uwaga", MsgIcon::Warning, MsgButtons::Ok);
}

bool RefusedAsUnreadableName(const QString& file)
{
    // Qt shows each byte that is no UTF-8 as U+FFFD; a name that then names no file cannot be
    // opened, nor saved back under the name shown.
    if (!file.contains(QChar::ReplacementCharacter) || FileExists(file.toStdString()))
        return false;
    DialogService::instance().message(
        "Nie można otworzyć pliku podanego przy uruchomieniu programu:\n" + file +
            "\n\nNazwa pliku zawiera bajty, które nie są tekstem UTF-8 (pokazane jako \"\uFFFD\"), "
            "więc program nie mógłby zapisać danych pod tą samą nazwą. Zmień nazwę pliku, na "
            "przykład w "
            "menedżerze plików, i otwórz go ponownie.",
        "Błąd", MsgIcon::Error, MsgButtons::Ok);
    return true;
}

void ProvideProgramWindows(WindowRegistry& registry)
{
    Provide<TFGlowna>(registry, "TFGlowna", FGlowna, [] {
        auto* window = new TFGlowna;
        ConnectUpdateCheck(*window);
        return window;
    });
    // The two dialogs set their global instances themselves.
    registry.provide("TFDaneUcznia", [] { return new TFDaneUcznia; });
    registry.provide("TFKalibracja", [] { return new TFKalibracja(FGlowna->calibrationHost()); });
    registry.provide("TFDaneSzkoly", [] { return new TFDaneSzkoly; });
    registry.provide("TFDrukuj",
                     [] { return new TFDrukuj(FGlowna->PageMetafiles, FGlowna->ErrorStream); });
    Provide<TFWait>(registry, "TFWait", FWait, [] { return new TFWait; });
    Provide<TFOProgramie>(registry, "TFOProgramie", FOProgramie, [] { return new TFOProgramie; });
    Provide<TFLogi>(registry, "TFLogi", FLogi, [] { return new TFLogi(FGlowna->ErrorStream); });
    Provide<TFAktualizacja>(registry, "TFAktualizacja", FAktualizacja,
                            [] { return new TFAktualizacja; });
    Provide<TFSQLImport>(registry, "TFSQLImport", FSQLImport, [] { return new TFSQLImport; });
    // The form registry makes all document forms at once, on the first one's turn.
    for (std::string_view name : kWindowOrder) {
        if (name.starts_with("TFSwiad") || name.starts_with("TFArkusz")) {
            registry.provideOwnedElsewhere(name, [name]() -> QObject* {
                return FormRegistry::instance().form(
                    QString::fromUtf8(name.data(), qsizetype(name.size())));
            });
        }
    }
}

bool StartProgram(const QStringList& arguments, InstanceLock& lock)
{
    if (auto* app = Application::instance())
        app->setTitle(kApplicationTitle);

    ErrorStream folderErrors;
    const std::string dataFolder = strFunGetMainDirPath(folderErrors);
    if (!dataFolder.empty() && !lock.acquire(dataFolder)) {
        DialogService::instance().message(
            "Program Velmorandia jest już uruchomiony.\nPrzed ponownym uruchomieniem zakończ "
            "pracę z programem.",
            kApplicationTitle, MsgIcon::Warning, MsgButtons::Ok);
        return false;
    }

    WindowRegistry& registry = WindowRegistry::instance();
    ProvideProgramWindows(registry);
    registry.createAll();

    if (!FGlowna->StartupInit())
        return false;
    FGlowna->showMaximized();
    ReportMissingFonts(MissingFontFamilies(PageFontFamilies()));
    // Copies into the data folder cut off by a killed program.
    RemoveLeftCopyTemporaries(dataFolder);

    const QString file = CommandLineFile(arguments);
    if (!file.isEmpty() && !RefusedAsUnreadableName(file)) {
        const bool opened =
            FileExists(file.toStdString()) && bFunWczytajPlikSwiadectw(*FGlowna, file);
        FGlowna->setCurrentPath(opened ? file : QString());
    }
    return true;
}
