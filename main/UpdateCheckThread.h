#pragma once
// The update check: reads the server's version record and, when it is newer than the
// running version and the user wants it, hands over to the main window's update timer.
class QThread;

// The check itself, run on a worker thread. A silent check (the one at start) shows
// nothing when the server cannot be reached or has no newer version; a check from the
// menu says so.
void UpdateCheckThread(bool silent);

// Starts UpdateCheckThread on a new worker thread and returns at once. The thread object
// deletes itself once the thread has ended and the GUI thread has seen it. A check still
// running when the message loop ends is stopped then (StopUpdateChecks).
QThread* StartUpdateCheckThread(bool silent);

// Stops every check still running and waits until each has ended: the transfer is
// aborted and a question not yet shown is not asked. Called before what the checks use
// (the main window, the update window, the dialogs) goes away.
void StopUpdateChecks();
