#pragma once
// One copy of the program per Windows logon.

namespace kt::app {

// True when another copy already runs. The instance mutex is created in one step, so two copies
// started at the same moment cannot both take it; its handle stays open until the process ends.
bool IsAlreadyRunning();

// Brings the running copy forward: its application window, found by the application title,
// is shown and made the foreground window (nothing happens when none is found).
void HandOverToRunningCopy();

}  // namespace kt::app
