#pragma once
// The update check: reads the server's version record and, when it is newer than the
// running version and the user wants it, hands over to the main window's update timer.
class QThread;

// The check itself, run on a worker thread. A silent check (the one at start) shows
// nothing when the server cannot be reached or has no newer version; a check from the
// menu says so.
void UpdateCheckThread(bool silent);

// Starts UpdateCheckThread on a new worker thread and returns at once. The thread object
// deletes itself once the thread has ended and the GUI thread has seen it.
QThread* StartUpdateCheckThread(bool silent);
