// The file dialogs' filter: "INI (*.ini)|*.ini" pairs of description and pattern separated by
// '|' into the Win32 form, each part ended by a NUL and the whole by a second NUL.
#pragma once

#include <string>

// Empty for an empty filter: the dialogs then show every file.
std::wstring ToWin32Filter(const std::u16string& filter);
