#pragma once
// The update window "Aktualizacja": downloads the installer into the data folder on a
// worker thread (DownloadInstallerThread), then hands it to the desktop's opener and lets
// the main window close. The program never runs the installer itself; when the opener
// cannot take it, the person is told and the program goes on.
#include "platform/Form.h"

#include <memory>

class QLabel;
class QLineEdit;
class QProgressBar;
class Button;
class QThread;

class TFAktualizacja : public Form {
public:
    explicit TFAktualizacja(QWidget* parent = nullptr);
    ~TFAktualizacja() override;

    QLabel* Label1;
    QLabel* AWersjaLabel;
    QLabel* Label2;
    QLabel* NWersjaLabel;
    QLabel* Label3;
    QProgressBar* Postep;
    QLabel* Label5;
    QLineEdit* editStatus;
    QLabel* Label4;
    QLineEdit* editDownloadLink;
    Button* btnDownloadViaBrowser;
    Button* btnClose;

    void FormShow();
    void btnDownloadViaBrowserClick();
    void btnCloseClick();

    // The end of a download (GUI thread): `failure` is the status text of a failed
    // download, empty after a complete one.
    void DownloadEnded(const QString& installerPath, const QString& failure);

protected:
    void showEvent(QShowEvent* event) override;
    void cancelByKeyboard() override;

private:
    void stopDownload();

    std::unique_ptr<QThread> download_;
};

// The one update window, created at start with the other windows.
extern TFAktualizacja* FAktualizacja;
