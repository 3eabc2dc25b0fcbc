// The folder listing and the profile host's disk and environment calls on the real file system.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FolderListingWin32.h"
#include "ProfileHostWin32.h"
#include "TestFiles.h"
#include "WideText.h"

namespace {

std::vector<std::u16string> Sorted(std::vector<std::u16string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

TEST(FolderListingWin32, ListsSubfoldersOnlyWithTheirNames) {
    TempFolder temp;
    const std::u16string greek = u"\u0393\u03c1\u03b1\u03c6\u03af\u03c4\u03b7\u03c2";
    const std::u16string japanese = u"\u65e5\u672c\u8a9e";
    for (const std::u16string& name : {greek, japanese, std::u16string(u"Aurora")})
        ASSERT_TRUE(CreateDirectoryW(W(temp.File(name)), nullptr));
    temp.Write(u"Skin.ini", "x");
    temp.Write(u"NoFolder", "");

    FolderListingWin32 listing;
    const std::vector<std::u16string> expected = Sorted({u"Aurora", greek, japanese});
    EXPECT_EQ(Sorted(listing.Subfolders(temp.path())), expected);
    // The folder without its trailing separator.
    EXPECT_EQ(Sorted(listing.Subfolders(temp.path().substr(0, temp.path().size() - 1))), expected);
}

TEST(FolderListingWin32, NothingForAMissingOrEmptyFolder) {
    TempFolder temp;
    FolderListingWin32 listing;
    EXPECT_TRUE(listing.Subfolders(temp.path()).empty());
    EXPECT_TRUE(listing.Subfolders(temp.File(u"missing\\")).empty());
}

TEST(FolderListingWin32, FileExistsIsTrueForFilesOnly) {
    TempFolder temp;
    temp.Write(u"Language.ini", "[Main]");
    CreateDirectoryW(W(temp.File(u"English")), nullptr);
    FolderListingWin32 listing;
    ProfileHostWin32 host;
    EXPECT_TRUE(listing.FileExists(temp.File(u"Language.ini")));
    EXPECT_FALSE(listing.FileExists(temp.File(u"English")));
    EXPECT_FALSE(listing.FileExists(temp.File(u"missing.ini")));
    EXPECT_TRUE(host.FileExists(temp.File(u"Language.ini")));
    EXPECT_FALSE(host.FileExists(temp.File(u"English")));
    EXPECT_FALSE(host.FileExists(temp.File(u"missing.ini")));
}

// The per-user folder of a user who never ran the panel: made, then given the program's copy,
// which must never replace a file the user already has.
TEST(FolderListingWin32, CreatesAFolderAndCopiesOnlyOntoNothing) {
    TempFolder temp;
    temp.Write(u"AudioConfig.cfg", "program copy");
    FolderListingWin32 listing;
    const std::u16string user = temp.File(u"QLN47xx Audio");
    EXPECT_TRUE(listing.CreateFolder(user));
    EXPECT_TRUE(listing.CreateFolder(user));  // already there
    EXPECT_FALSE(listing.CreateFolder(temp.File(u"missing\\deeper")));
    EXPECT_TRUE(listing.CopyNewFile(temp.File(u"AudioConfig.cfg"), user + u"\\AudioConfig.cfg"));
    EXPECT_EQ(temp.Read(u"QLN47xx Audio\\AudioConfig.cfg"), "program copy");
    temp.Write(u"QLN47xx Audio\\AudioConfig.cfg", "user's own");
    EXPECT_FALSE(listing.CopyNewFile(temp.File(u"AudioConfig.cfg"), user + u"\\AudioConfig.cfg"));
    EXPECT_EQ(temp.Read(u"QLN47xx Audio\\AudioConfig.cfg"), "user's own");
    EXPECT_FALSE(listing.CopyNewFile(temp.File(u"missing.cfg"), user + u"\\other.cfg"));
}

TEST(ProfileHostWin32, EnvironmentFolderOfAnyLength) {
    ProfileHostWin32 host;
    const std::u16string name = u"AUDIO_SHELL_TEST_FOLDER";
    const std::u16string longValue = u"C:\\" + std::u16string(5000, u'a') + u"\\\u00e9t\u00e9";
    ASSERT_TRUE(SetEnvironmentVariableW(W(name), W(longValue)));
    EXPECT_EQ(host.EnvironmentFolder(name), longValue);
    ASSERT_TRUE(SetEnvironmentVariableW(W(name), L"Z:\\short"));
    EXPECT_EQ(host.EnvironmentFolder(name), u"Z:\\short");
    ASSERT_TRUE(SetEnvironmentVariableW(W(name), nullptr));
    EXPECT_EQ(host.EnvironmentFolder(name), u"");
    EXPECT_FALSE(host.EnvironmentFolder(u"APPDATA").empty());
}

TEST(ProfileHostWin32, CreateFolderIsTrueWhenTheFolderExistsAfterwards) {
    TempFolder temp;
    ProfileHostWin32 host;
    const std::u16string folder = temp.File(u"QLN \u97f3\u58f0");
    EXPECT_TRUE(host.CreateFolder(folder));
    EXPECT_TRUE(host.CreateFolder(folder));  // already there
    // A file of that name is no folder; a missing parent is not made.
    temp.Write(u"plain", "");
    EXPECT_FALSE(host.CreateFolder(temp.File(u"plain")));
    EXPECT_FALSE(host.CreateFolder(temp.File(u"missing\\child")));
}

}  // namespace
