#include "main/UpdateCheckThread.h"

#include "main/Aktualizacja.h"
#include "main/UpdateCheckHost.h"
#include "main/UpdateCheckHttp.h"
#include "main/UpdateCheckServer.h"
#include "main/UpdateCheckVersion.h"
#include "platform/DialogService.h"
#include "platform/GuiThread.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QThread>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// The checks started on this run whose thread objects still exist (GUI thread only).
std::vector<QPointer<QThread>> runningChecks;

QString VersionLines(const ProgramVersion& server)
{
    return QStringLiteral("Aktualna wersja programu to: ") + VersionText(BuiltInVersion) +
           QStringLiteral("\nWersja dostępna na serwerze to: ") + VersionText(server) +
           QStringLiteral("\n\n");
}

Answer Ask(const QString& text, const QString& caption, MsgIcon icon, MsgButtons buttons)
{
    return DialogService::instance().message(text, caption, icon, buttons);
}

// After the user agreed to the download (GUI thread).
void HandOver(const ProgramVersion& server)
{
    if (FAktualizacja) {
        FAktualizacja->AWersjaLabel->setText(VersionText(BuiltInVersion));
        FAktualizacja->NWersjaLabel->setText(VersionText(server));
    }
    UpdateHost* host = CurrentUpdateHost();
    if (host && host->modified()) {
        Ask(QStringLiteral("Przed aktualizacją programu zapisz dane\a a następnie uruchom "
                           "aktualizację.\nPomoc->Sprawdź czy jest nowa wersja"),
            QStringLiteral("Zapisz dane"), MsgIcon::None, MsgButtons::Ok);
        return;
    }
    if (host)
        host->enableUpdateTimer();
}

}  // namespace

void UpdateCheckThread(bool silent)
{
    int status = 0;
    QByteArray record;
    const HttpOutcome outcome = HttpGet(
        VersionRecordUrl(),
        [&](const HttpHead& head) {
            status = head.status;
            return status == 200;
        },
        [&](QByteArrayView piece) {
            const qsizetype wanted = kVersionRecordSize - record.size();
            record.append(piece.first(std::min(piece.size(), wanted)));
            return record.size() < kVersionRecordSize;
        });

    // The program is ending: nothing more to show.
    if (QThread::currentThread()->isInterruptionRequested())
        return;
    if (outcome == HttpOutcome::Unreachable) {
        if (!silent)
            CallOnGuiThread([] {
                Ask(QStringLiteral("Błąd podczas próby połączenia z internetem"),
                    QStringLiteral("Aktualizacja"), MsgIcon::Warning, MsgButtons::Ok);
            });
        return;
    }
    // Only a record the server really sent (status 200) is compared; any other answer
    // ends the check quietly.
    if (status != 200)
        return;

    const ProgramVersion server = VersionRecordFromBytes(record);
    if (!IsNewerVersion(server, BuiltInVersion)) {
        if (!silent)
            CallOnGuiThread([&] {
                Ask(VersionLines(server) + QStringLiteral("Brak nowej wersji do pobrania."),
                    QString(), MsgIcon::None, MsgButtons::Ok);
            });
        return;
    }
    CallOnGuiThread([&] {
        const Answer answer =
            Ask(VersionLines(server) + QStringLiteral("Czy chcesz pobrać nową wersje programu ?"),
                QStringLiteral("Nowa wersja"), MsgIcon::Question, MsgButtons::YesNo);
        if (answer == Answer::Yes)
            HandOver(server);
    });
}

QThread* StartUpdateCheckThread(bool silent)
{
    [[maybe_unused]] static const QMetaObject::Connection stopAtQuit = QObject::connect(
        QCoreApplication::instance(), &QCoreApplication::aboutToQuit, &StopUpdateChecks);
    std::erase_if(runningChecks, [](const QPointer<QThread>& check) { return check.isNull(); });
    QThread* thread = StartWorkerThread([silent] { UpdateCheckThread(silent); });
    runningChecks.emplace_back(thread);
    return thread;
}

void StopUpdateChecks()
{
    for (const QPointer<QThread>& check : std::exchange(runningChecks, {}))
        if (check)
            StopWorkerThread(*check);
}
