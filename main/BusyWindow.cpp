#include "main/BusyWindow.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <QWidget>
#include <QWindow>

namespace {

constexpr int kExposeWaitMs = 500;

bool Exposed(const QWidget& window)
{
    return window.windowHandle() && window.windowHandle()->isExposed();
}

}  // namespace

void WaitUntilExposed(QWidget& window)
{
    const QDeadlineTimer deadline(kExposeWaitMs);
    while (!Exposed(window) && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                        QEventLoop::X11ExcludeTimers);
        if (!Exposed(window))
            QThread::msleep(1);
    }
}

void PaintNow(QWidget& part)
{
    if (!part.isVisible())
        return;
    part.setUpdatesEnabled(true);
    part.repaint();
    part.setUpdatesEnabled(false);
}
