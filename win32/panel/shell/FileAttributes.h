// What a path names on disk.
#pragma once

#include <windows.h>

#include <string>

#include "WideText.h"

inline bool IsExistingFile(const std::u16string& path) {
    const DWORD attributes = GetFileAttributesW(W(path));
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

inline bool IsExistingFolder(const std::u16string& path) {
    const DWORD attributes = GetFileAttributesW(W(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
