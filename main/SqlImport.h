#pragma once
// The import window: shown, not modal, while an older export is read into the working
// copy. The importer steps it itself while the GUI thread stays busy, so the window
// paints itself (main/BusyWindow.h): whole when shown, then its operation and bar at the
// importer's first operation and after every so many steps, where Qt would paint at
// almost every row.
#include "platform/Form.h"
#include "store/Progress.h"

class QLabel;
class ProgressBar;

class TFSQLImport : public Form, public ProgressSink {
    Q_OBJECT

public:
    explicit TFSQLImport(QWidget* owner = nullptr);

    QLabel* Label1 = nullptr;
    QLabel* InfoLabel = nullptr;
    ::ProgressBar* ProgressBar = nullptr;

    // ProgressSink: the current operation with a new range at position 0; one row written.
    // The bar takes its position when painted and when the operation's last row is written.
    void Begin(const std::string& info, int steps) override;
    void Advance() override;

    // Showing returns once the window is on screen.
    void setVisible(bool visible) override;

protected:
    void showEvent(QShowEvent* event) override;
    // The window goes when the import has ended.
    void cancelByKeyboard() override;

private:
    // One operation or row done: paints when a paint is due.
    void step();
    void paintProgress();

    int position_ = 0;
    // Steps since the last paint; a paint is due at once after showing.
    int stepsUnpainted_ = 0;
    bool paintDue_ = false;
};

// The one import window, created at start with the other windows.
extern TFSQLImport* FSQLImport;
