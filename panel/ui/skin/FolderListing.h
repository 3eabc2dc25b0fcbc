// Port: the folders and files the skin and language catalogues look at.
#pragma once

#include <string>
#include <vector>

class IFolderListing {
public:
    virtual ~IFolderListing() = default;

    // Names of the immediate subfolders of folder, in any order; none when it cannot be listed.
    virtual std::vector<std::u16string> Subfolders(const std::u16string& folder) = 0;
    virtual bool FileExists(const std::u16string& path) = 0;
};

// The subfolders of folder sorted by name without regard to case: the order of the Skin and
// Language menus.
std::vector<std::u16string> SortedSubfolders(IFolderListing& listing, const std::u16string& folder);
