#include <windows.h>

#include "FolderListingWin32.h"

#include "FileAttributes.h"
#include "ShellHandles.h"
#include "WideText.h"

std::vector<std::u16string> FolderListingWin32::Subfolders(const std::u16string& folder) {
    std::u16string pattern = folder;
    if (!pattern.empty() && pattern.back() != u'\\' && pattern.back() != u'/')
        pattern += u'\\';
    pattern += u'*';

    std::vector<std::u16string> names;
    WIN32_FIND_DATAW found;
    // Limiting to folders is only a hint to the file system: the attribute decides.
    const HANDLE first = FindFirstFileExW(W(pattern), FindExInfoBasic, &found,
                                          FindExSearchLimitToDirectories, nullptr, 0);
    if (first == INVALID_HANDLE_VALUE)
        return names;
    UniqueFind find(first);
    do {
        const std::u16string name = U16(found.cFileName);
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != u"." && name != u"..")
            names.push_back(name);
    } while (FindNextFileW(find.get(), &found));
    return names;
}

bool FolderListingWin32::FileExists(const std::u16string& path) {
    return IsExistingFile(path);
}

bool FolderListingWin32::CreateFolder(const std::u16string& path) {
    return CreateDirectoryW(W(path), nullptr) || IsExistingFolder(path);
}

bool FolderListingWin32::CopyNewFile(const std::u16string& from, const std::u16string& to) {
    return CopyFileW(W(from), W(to), TRUE) != FALSE;
}
