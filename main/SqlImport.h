#pragma once
// The import window: shown, not modal, while an older export is read into the working
// copy. The importer steps it itself (the GUI thread stays busy, so every change is
// painted at once).
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
    void Begin(const std::string& info, int steps) override;
    void Advance() override;

protected:
    void showEvent(QShowEvent* event) override;
};

// The one import window, created at start with the other windows.
extern TFSQLImport* FSQLImport;
