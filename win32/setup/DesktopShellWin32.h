// Starting a program as the logged-on user from an elevated one: the desktop's shell, which runs
// in the user's own process with the user's token, is asked to open the file.
#pragma once

#include <string>

// IShellWindows finds the desktop; its shell view's IShellDispatch2::ShellExecute opens the
// file with SW_HIDE. COM must be initialised on the thread. False when any step is missing
// (no desktop shell, as in a service or a remote session without Explorer).
bool OpenThroughDesktopShell(const std::u16string& file);
