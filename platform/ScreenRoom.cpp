#include "platform/ScreenRoom.h"

#include <QMargins>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {

// A title bar and border as window managers draw them, in the window's own pixels.
constexpr QMargins kUsualFrame(6, 32, 6, 6);

QMargins FrameOf(const QWidget& window)
{
    const QWindow* handle = window.windowHandle();
    if (!handle || !window.isVisible())
        return kUsualFrame;
    const QMargins frame = handle->frameMargins();
    return frame.isNull() ? kUsualFrame : frame;
}

QRect AvailableArea(const QWidget& window)
{
    const QScreen* screen = window.screen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

}  // namespace

QSize ClientRoom(const QWidget& window)
{
    return AvailableArea(window).marginsRemoved(FrameOf(window)).size();
}

QSize FitClientSize(const QWidget& window, QSize wanted)
{
    return wanted.boundedTo(ClientRoom(window));
}

void CentreOnScreen(QWidget& window)
{
    const QMargins frame = FrameOf(window);
    const QRect room = AvailableArea(window).marginsRemoved(frame);
    const QSize size = window.size();
    const int left = room.left() + std::max(0, (room.width() - size.width()) / 2);
    const int top = room.top() + std::max(0, (room.height() - size.height()) / 2);
    // move() places the frame's corner: the client area starts one frame further in.
    window.move(left - frame.left(), top - frame.top());
}

void FitAndCentreOnScreen(QWidget& window)
{
    window.resize(FitClientSize(window, window.size()));
    CentreOnScreen(window);
}
