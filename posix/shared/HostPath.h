// Windows-form paths on a POSIX host: "Z:\a\b" is "/a/b" (as under Wine), any other drive letter
// lives below a drive root that tests choose ("C:\x" is "<root>/drive_c/x").
#pragma once

#include <string>

#include "TextHelpers.h"

std::u16string Utf8ToUtf16Text(const std::string& text);

std::string ToHostPath(const std::u16string& windowsPath);
// "/a/b" as "Z:\a\b".
std::u16string FromHostPath(const std::string& hostPath);

// Defaults to $AUDIO_DRIVE_ROOT, else /tmp/audio-drive-root.
void SetDriveRoot(const std::string& root);
const std::string& DriveRoot();
