#include "main/Aktualizacja.h"

#include "main/DownloadInstallerThread.h"
#include "main/UpdateCheckHost.h"
#include "main/UpdateCheckServer.h"
#include "platform/Button.h"
#include "platform/DialogService.h"
#include "platform/GuiThread.h"
#include "platform/OsServices.h"
#include "store/Folders.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QShowEvent>
#include <QThread>

#include <atomic>
#include <utility>

TFAktualizacja* FAktualizacja = nullptr;

namespace {

// What the last download left behind; they keep their values for the rest of the run.
std::atomic<bool> installerDownloaded{false};
QString downloadedInstaller;

// Creates a component of the window by name at its place (client coordinates).
template <class Component, class... Args>
Component* Place(QWidget* window, const char* name, QRect place, Args&&... args)
{
    auto* component = new Component(std::forward<Args>(args)..., window);
    component->setObjectName(QString::fromLatin1(name));
    component->setGeometry(place);
    return component;
}

QString InstallerTargetPath()
{
    ErrorStream ignored;
    const std::string folder = JoinPath(strFunGetMainDirPath(ignored), kInstallerFolder);
    return QString::fromStdString(JoinPath(folder, kInstallerFileName));
}

}  // namespace

TFAktualizacja::TFAktualizacja(QWidget* parent)
    : Form(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("FAktualizacja"));
    setWindowTitle(QStringLiteral("Aktualizacja"));
    setFixedSize(404, 205);

    Label1 = Place<QLabel>(this, "Label1", {8, 8, 110, 16}, QStringLiteral("Aktualna wersja:"));
    AWersjaLabel = Place<QLabel>(this, "AWersjaLabel", {120, 8, 276, 16}, QString());
    Label2 = Place<QLabel>(this, "Label2", {8, 28, 110, 16}, QStringLiteral("Nowa wersja:"));
    NWersjaLabel = Place<QLabel>(this, "NWersjaLabel", {120, 28, 276, 16}, QString());
    Label3 = Place<QLabel>(this, "Label3", {8, 50, 388, 16}, QStringLiteral("Postęp pobierania:"));
    Postep = Place<QProgressBar>(this, "Postep", {8, 66, 388, 17});
    Postep->setRange(0, 100);
    Postep->setValue(0);
    Label5 = Place<QLabel>(this, "Label5", {8, 88, 388, 16}, QStringLiteral("Status:"));
    editStatus = Place<QLineEdit>(this, "editStatus", {8, 104, 388, 21});
    editStatus->setEnabled(false);
    Label4 = Place<QLabel>(
        this, "Label4", {8, 130, 388, 16},
        QStringLiteral("Jeśli masz problem z pobraniem programu użyj adresu poniżej:"));
    editDownloadLink = Place<QLineEdit>(this, "editDownloadLink", {8, 146, 388, 21});
    editDownloadLink->setReadOnly(true);
    btnDownloadViaBrowser = Place<Button>(this, "btnDownloadViaBrowser", {8, 174, 200, 25},
                                          QStringLiteral("Pobierz przez przeglądarkę"));
    btnClose = Place<Button>(this, "btnClose", {296, 174, 100, 25}, QStringLiteral("Zamknij"));

    connect(btnDownloadViaBrowser, &Button::clicked, this,
            &TFAktualizacja::btnDownloadViaBrowserClick);
    connect(btnClose, &Button::clicked, this, &TFAktualizacja::btnCloseClick);
}

TFAktualizacja::~TFAktualizacja()
{
    stopDownload();
}

void TFAktualizacja::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    // A window restored from the task bar is not shown anew.
    if (!event->spontaneous())
        FormShow();
}

void TFAktualizacja::FormShow()
{
    editDownloadLink->setText(InstallerUrl().toString());
    // The address is read from its beginning.
    editDownloadLink->setCursorPosition(0);
    btnClose->setEnabled(false);
    btnClose->setText(QStringLiteral("Zamknij"));
    stopDownload();
    download_.reset(
        QThread::create(DownloadInstallerThread, std::ref(*this), InstallerTargetPath()));
    download_->start();
}

void TFAktualizacja::stopDownload()
{
    if (!download_)
        return;
    StopWorkerThread(*download_);
    download_.reset();
}

void TFAktualizacja::DownloadEnded(const QString& installerPath, const QString& failure)
{
    downloadedInstaller = installerPath;
    installerDownloaded = failure.isEmpty();
    if (!failure.isEmpty())
        editStatus->setText(failure);
    btnClose->setText(failure.isEmpty() ? QStringLiteral("Zainstaluj") : QStringLiteral("Zamknij"));
    btnClose->setEnabled(true);
}

void TFAktualizacja::btnDownloadViaBrowserClick()
{
    OsServices::instance().openDocument(editDownloadLink->text());
}

void TFAktualizacja::btnCloseClick()
{
    // The desktop's opener decides how the installer is installed. The program ends only
    // when the opener took it; otherwise the person is told and the program goes on.
    if (installerDownloaded) {
        if (OsServices::instance().openDocument(downloadedInstaller)) {
            if (UpdateHost* host = CurrentUpdateHost())
                host->setClosing();
        } else {
            DialogService::instance().message(
                QStringLiteral("Nie udało się uruchomić instalatora nowej wersji:\n%1\n\n"
                               "Uruchom go samodzielnie po zakończeniu pracy z programem.")
                    .arg(downloadedInstaller),
                QStringLiteral("Aktualizacja"), MsgIcon::Warning, MsgButtons::Ok);
        }
    }
    done(QDialog::Accepted);
}

void TFAktualizacja::cancelByKeyboard()
{
    // While the download runs the window stays; afterwards Esc closes it without
    // starting the installer.
    if (btnClose->isEnabled())
        reject();
}
