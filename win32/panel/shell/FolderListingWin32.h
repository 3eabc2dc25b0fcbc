// The skin and language catalogues' view of the disk, and the per-user folder's first copy.
#pragma once

#include <string>
#include <vector>

#include "FolderListing.h"

class FolderListingWin32 : public IFolderListing {
public:
    std::vector<std::u16string> Subfolders(const std::u16string& folder) override;
    bool FileExists(const std::u16string& path) override;
    bool CreateFolder(const std::u16string& path) override;
    bool CopyNewFile(const std::u16string& from, const std::u16string& to) override;
};
