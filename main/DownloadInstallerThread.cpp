#include "main/DownloadInstallerThread.h"

#include "main/Aktualizacja.h"
#include "platform/GuiThread.h"
#include "main/UpdateCheckHttp.h"
#include "main/UpdateCheckServer.h"

#include <QFile>
#include <QLineEdit>
#include <QMetaObject>
#include <QProgressBar>
#include <QThread>

#include <algorithm>
#include <climits>

namespace {

const QString kConnectionFailed = QStringLiteral("Błąd połączenia...");
const QString kReadFailed = QStringLiteral("Błąd podczas próby czytania pliku...");
const QString kWriteFailed = QStringLiteral("Błąd zapisu do pliku");
const QString kDownloading = QStringLiteral("Pobieranie nowej wersji programu");

// Runs `change` on the window's (GUI) thread without waiting for it.
template <class Change>
void OnWindow(TFAktualizacja& window, Change change)
{
    QMetaObject::invokeMethod(
        &window, [&window, change] { change(window); }, Qt::QueuedConnection);
}

int GaugeValue(qint64 bytes)
{
    return int(std::clamp<qint64>(bytes, 0, INT_MAX));
}

// The download itself; returns the status text of a failure, empty when complete.
QString Download(TFAktualizacja& window, const QString& installerPath)
{
    QString failure;
    qint64 expected = 0;
    qint64 received = 0;
    QFile file(installerPath);

    const HttpOutcome outcome = HttpGet(
        InstallerUrl(),
        [&](const HttpHead& head) {
            // An error page is not the installer.
            if (head.status != 200) {
                failure = kConnectionFailed;
                return false;
            }
            if (!head.contentLength) {
                failure = kReadFailed;
                return false;
            }
            expected = *head.contentLength;
            OnWindow(window, [maximum = GaugeValue(expected)](TFAktualizacja& w) {
                w.Postep->setRange(0, maximum);
                w.Postep->setValue(0);
            });
            QFile::remove(installerPath);
            if (!file.open(QIODevice::WriteOnly)) {
                failure = kWriteFailed;
                return false;
            }
            OnWindow(window, [](TFAktualizacja& w) { w.editStatus->setText(kDownloading); });
            return true;
        },
        [&](QByteArrayView piece) {
            if (file.write(piece.data(), piece.size()) != piece.size()) {
                failure = kWriteFailed;
                return false;
            }
            received += piece.size();
            OnWindow(window, [value = GaugeValue(std::min(received, expected))](TFAktualizacja& w) {
                w.Postep->setValue(value);
            });
            return true;
        });

    const bool created = file.isOpen();
    if (created && !file.flush() && failure.isEmpty())
        failure = kWriteFailed;
    file.close();
    if (failure.isEmpty() && outcome == HttpOutcome::Unreachable)
        failure = kConnectionFailed;
    else if (failure.isEmpty() && (outcome != HttpOutcome::Complete || received != expected))
        failure = kReadFailed;
    if (!failure.isEmpty() && created)
        file.remove();
    return failure;
}

}  // namespace

void DownloadInstallerThread(TFAktualizacja& window, const QString& installerPath)
{
    QString failure;
    try {
        failure = Download(window, installerPath);
    } catch (...) {
        ReportWorkerException();
        QFile::remove(installerPath);
        failure = kReadFailed;
    }
    OnWindow(window, [installerPath, failure](TFAktualizacja& w) {
        w.DownloadEnded(installerPath, failure);
    });
}
