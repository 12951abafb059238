#pragma once
// What the wait and import windows share: they are shown while the GUI thread is busy with
// the work they stand for, so no event loop paints them. Showing one waits until the
// window system has put it on screen (the expose paints it whole); afterwards it paints
// its changing parts itself, at moments it chooses, and Qt's own paints stay off (a
// progress bar repaints itself at once whenever its drawing changes, at a style query per
// move even when it does not).
class QWidget;

// Waits, at most half a second, for the window system to expose `window`. Meanwhile only
// the window system's events that are no input are handled: the person must not act and
// no timer may start other work.
void WaitUntilExposed(QWidget& window);
// Paints `part` now (when its window is visible) and leaves its updates off.
void PaintNow(QWidget& part);
