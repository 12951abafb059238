#pragma once
// The fixture of the update tests: a Qt application, temporary folders, scripted dialogs,
// a local HTTP server named by VLM_UPDATE_URL, the update window and a stand-in for the
// main window whose timer shows that window modally, as the main window does.
#include "LocalHttpServer.h"

#include "main/Aktualizacja.h"
#include "main/UpdateCheckHost.h"
#include "platform/OsServices.h"
#include "platform/ScriptedDialogs.h"
#include "tests/support/TempFolders.h"

#include <QApplication>
#include <QStringList>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// Runs the event loop until `done` or the time-out; false on time-out.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 20000);

class TestMainWindow : public UpdateHost {
public:
    TestMainWindow();
    bool modified() const override { return isModified; }
    void enableUpdateTimer() override;
    void setClosing() override { closing = true; }

    bool isModified = false;
    bool closing = false;
    int timerStarts = 0;
    int windowShowings = 0;

private:
    QTimer timer_;
};

// Notes what would have gone to the desktop's handler instead of starting anything.
class RecordingOsServices : public OsServices {
public:
    RecordingOsServices() { previous_ = install(this); }
    ~RecordingOsServices() override { install(previous_); }
    bool openDocument(const QString& pathOrUrl) override
    {
        opened << pathOrUrl;
        return true;
    }
    bool startProgram(const QString& program, const QStringList&) override
    {
        started << program;
        return true;
    }

    QStringList opened;
    QStringList started;

private:
    OsServices* previous_ = nullptr;
};

class UpdateTestBase : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;
    // Forgets the dialogs, openings and main-window state of an earlier run in one test.
    void resetRun();

    TempFolders folders;
    ScriptedDialogs dialogs;
    LocalHttpServer server;
    TestMainWindow host;
    RecordingOsServices opener;
    std::unique_ptr<TFAktualizacja> window;
};
