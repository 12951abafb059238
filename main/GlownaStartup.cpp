// The main window's start-up routine, caption and closing.
#include "main/Glowna.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>

#include "main/UpdateCheckThread.h"
#include "main/Version.h"
#include "platform/DialogService.h"
#include "store/RequiredFiles.h"
#include "store/Folders.h"
#include "store/Settings.h"

namespace {

QString StreamText(const ErrorStream& stream)
{
    return QString::fromStdString(stream.str());
}

}  // namespace

bool TFGlowna::StartupInit()
{
    if (!bFunCheckFilesDir(ErrorStream)) {
        DialogService::instance().message(
            "Błąd podczas próby sprawdzenia wymaganych plików / katalogów.\n\n" +
                StreamText(ErrorStream),
            "Błąd", MsgIcon::Error, MsgButtons::Ok);
        Closing = 1;
        close();
        return false;
    }
    SetVersionCaption();

    int importAlert = 0;
    if (bFunSqlGetSettingsValue(ErrorStream, "import_alert", importAlert) && importAlert != 0) {
        DialogService::instance().message(
            "UWAGA !!!\n\nNastąpiła zmiana w plikach przechowujących dane. Stare pliki można "
            "wczytać poprzez funkcję import w menu plik.",
            QString(), MsgIcon::Warning, MsgButtons::Ok);
        bFunSqlSettingWriteValue(ErrorStream, "import_alert", 0);
    }
    // A box whose state changes here writes its setting back through its click handler.
    ApplyStoredOption("strike_empty_fields", WykreskujPusteCheckBox);
    ApplyStoredOption("print_without_dots", PrintNoDotsCheckBox);
    ApplyStoredOption("word_wrap", cbWordWrap);

    PageMetafiles = PageImages{};
    Closing = 0;
    Modified = 0;
    bFunDeleteTmpFile(ErrorStream);
    UpdateMenuState();
    StartUpdateCheckThread(true);
    return true;
}

void TFGlowna::ApplyStoredOption(const char* key, QCheckBox* box)
{
    int stored = 0;
    if (bFunSqlGetSettingsValue(ErrorStream, key, stored))
        box->setChecked(stored != 0);
}

void TFGlowna::SetVersionCaption()
{
    setWindowTitle(QString("Velmorandia, wersja: %1.%2.%3")
                       .arg(BuiltInVersion.major)
                       .arg(BuiltInVersion.minor)
                       .arg(BuiltInVersion.build));
}

void TFGlowna::Koniec1Click()
{
    Closing = 0;
    close();
}

void TFGlowna::closeEvent(QCloseEvent* event)
{
    if (FormClose() == CloseAction::None) {
        event->ignore();
        return;
    }
    event->accept();
    QCoreApplication::exit(0);
}

TFGlowna::CloseAction TFGlowna::FormClose()
{
    DialogService& dialogs = DialogService::instance();
    if (Closing == 0) {
        if (Modified == 1 &&
            dialogs.message("Czy chcesz zapisać zmiany ?", QString(), MsgIcon::None,
                            MsgButtons::YesNo) == Answer::Yes &&
            !Zapisz1Click()) {
            // The changes are neither saved nor given up: the working copy stays.
            return CloseAction::None;
        }
        if (dialogs.message("Czy na pewno chcesz zakończyć pracę ?", "Koniec", MsgIcon::Question,
                            MsgButtons::YesNo) != Answer::Yes)
            return CloseAction::None;
    }
    bFunDeleteTmpFile(ErrorStream);
    return CloseAction::Free;
}
