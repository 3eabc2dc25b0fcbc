// Port: the folders and files the skin and language catalogues look at, and the per-user folder
// the presentation fills.
#pragma once

#include <string>
#include <vector>

class IFolderListing {
public:
    virtual ~IFolderListing() = default;

    // Names of the immediate subfolders of folder, in any order; none when it cannot be listed.
    virtual std::vector<std::u16string> Subfolders(const std::u16string& folder) = 0;
    virtual bool FileExists(const std::u16string& path) = 0;
    // True when the folder exists afterwards.
    virtual bool CreateFolder(const std::u16string& path) = 0;
    // Copies a file to a path that does not exist yet; false when nothing was copied.
    virtual bool CopyNewFile(const std::u16string& from, const std::u16string& to) = 0;
};

// The subfolders of folder sorted by name without regard to case: the order of the Skin and
// Language menus.
std::vector<std::u16string> SortedSubfolders(IFolderListing& listing, const std::u16string& folder);
