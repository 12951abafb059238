#pragma once
// The main window's side of the update check: its Modified and Closing flags and its
// AktualizacjaTimer, whose handler opens the update window on the GUI thread.
class TFGlowna;

// Makes `window` the update host and connects its AktualizacjaTimer (one second) to
// AktualizacjaTimerTimer. Called once, when the main window exists; when the window is
// destroyed, the checks still running are stopped and the host is unregistered.
void ConnectUpdateCheck(TFGlowna& window);

// The timer's handler: disables the timer, shows FAktualizacja modally and afterwards,
// when the update window asked for it (Closing is 1), closes the main window without
// questions.
void AktualizacjaTimerTimer(TFGlowna& window);
