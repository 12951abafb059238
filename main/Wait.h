#pragma once
// The waiting window shown while one student's fields are written: a picture and a
// progress bar that the writing data function steps itself. The GUI thread stays busy,
// so the window paints its bar itself: empty at the start, then at every quarter of
// the rows, the last time full. Showing it returns once it is on screen; it never takes
// the activation from the main window.
#include "platform/Form.h"
#include "store/Progress.h"

class Image;
class ProgressBar;

class TFWait : public Form, public ProgressSink {
    Q_OBJECT

public:
    explicit TFWait(QWidget* owner = nullptr);

    ::Image* Image1 = nullptr;
    ::ProgressBar* ProgressBar = nullptr;

    // ProgressSink: a new range at position 0; one step.
    void Begin(const std::string& info, int steps) override;
    void Advance() override;

    void setVisible(bool visible) override;

protected:
    void cancelByKeyboard() override;

private:
    // Rows written since Begin; the bar takes them over when it is painted, since
    // moving a Qt progress bar costs a style query even while it does not paint.
    int rowsWritten_ = 0;
    // The quarters of the range the bar was painted at since Begin.
    int quartersPainted_ = 0;
};

extern TFWait* FWait;
