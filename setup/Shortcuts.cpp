#include "SetupOperations.h"

void CreateShortcut(IShortcuts& shortcuts, ISetupFiles& files, const std::u16string& folderName,
                    const std::u16string& target, const std::u16string& shortcutName) {
    std::unique_ptr<IShellLinkObject> link = shortcuts.CreateLink();
    if (!link || !link->SetPath(target))
        return;
    const std::u16string folder = shortcuts.CommonProgramsFolder() + u"\\" + folderName;
    files.CreateFolder(folder);
    link->Save(folder + u"\\" + shortcutName + u".lnk");
}
