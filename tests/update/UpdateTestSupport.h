#pragma once
// The fixture of the update tests: a Qt application, temporary folders, scripted dialogs,
// a local HTTP server named by VLM_UPDATE_URL, the update window, a recording stand-in
// for the desktop's opener and a stand-in for the main window whose timer shows the
// update window modally, as the main window's timer does.
#include "LocalHttpServer.h"

#include "main/Aktualizacja.h"
#include "main/UpdateCheckHost.h"
#include "platform/OsServices.h"
#include "platform/ScriptedDialogs.h"
#include "tests/support/RecordingOsServices.h"
#include "tests/support/TempFolders.h"

#include <QStringList>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>

// Runs the event loop until `done` or the time-out; false on time-out.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 20000);

// A version record as the server sends it.
QByteArray Record(std::int32_t major, std::int32_t minor, std::int32_t build);
// `size` bytes that are not all alike.
QByteArray Payload(int size);

class TestMainWindow : public UpdateHost {
public:
    TestMainWindow();
    bool modified() const override { return isModified; }
    void enableUpdateTimer() override;
    void setClosing() override { closing = true; }

    bool isModified = false;
    bool closing = false;
    int timerStarts = 0;

private:
    QTimer timer_;
};

// What the update window showed when its download had ended.
struct WindowState {
    QString status;
    QString closeCaption;
    int gaugeMaximum = -1;
    int gaugeValue = -1;
    QString link;
    QString runningVersion;
    QString serverVersion;
};

class UpdateTestBase : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;
    // Forgets the dialogs, openings and main-window state of an earlier run in one test.
    void resetRun();

    void serveRecord(const QByteArray& record, int status = 200);
    void serveInstaller(ScriptedResponse response);
    // Runs one check on its worker thread and waits until the thread has ended.
    void runCheck(bool silent);
    // Answers the update window's modal showing: waits for the download's end, notes the
    // window in `shown` and presses its close button.
    void closeWindowAfterDownload();
    QString installerFile() const;

    TempFolders folders;
    ScriptedDialogs dialogs;
    LocalHttpServer server;
    TestMainWindow host;
    RecordingOsServices opener;
    std::unique_ptr<TFAktualizacja> window;
    WindowState shown;
    int windowsClosed = 0;
};
