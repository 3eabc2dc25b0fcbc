// The skin and language catalogues' view of the disk.
#pragma once

#include <string>
#include <vector>

#include "FolderListing.h"

class FolderListingWin32 : public IFolderListing {
public:
    std::vector<std::u16string> Subfolders(const std::u16string& folder) override;
    bool FileExists(const std::u16string& path) override;
};
