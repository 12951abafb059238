#pragma once
// Widgets are touched on the GUI thread only. The worker threads (update check, installer
// download) hand their work and their exceptions over with these.
#include <functional>

// Runs `work` on the GUI thread, from its event loop.
void PostToGuiThread(std::function<void()> work);
// Shows the exception being handled in the standard error box, on the GUI thread.
// Call it from a catch block of the worker thread.
void ReportWorkerException();
