#pragma once
// Keeping a top-level window on its screen: the room its client area has there (the
// screen's available area less the window manager's frame) and its place in that room.
// Windows whose design is larger than a small or scaled screen shrink to the room and
// scroll or lay out their content anew.

#include <QSize>

class QWidget;

// The largest client area the window can show on its screen, frame included. Before the
// window was first shown the frame is not known yet: a usual title bar and border stand in.
QSize ClientRoom(const QWidget& window);

// `wanted`, each side cut down to the room where it is larger.
QSize FitClientSize(const QWidget& window, QSize wanted);

// Moves the window so that it stands centred in the room, its frame on the screen.
void CentreOnScreen(QWidget& window);

// For a resizable window about to be shown: cuts its size down to the room and centres it.
void FitAndCentreOnScreen(QWidget& window);
