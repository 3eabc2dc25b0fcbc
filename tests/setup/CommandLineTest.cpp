// The options of the installer and the uninstaller, as deployment tools pass them.
#include <gtest/gtest.h>

#include "SetupCommandLine.h"
#include "TextHelpers.h"

namespace {

struct Case {
    const char16_t* line;
    SetupProgram program;
    bool silent, verySilent, suppress, noRestart, help;
    const char16_t* language;
    const char16_t* log;
    const char16_t* error;  // the start of the message; empty when understood
};

constexpr SetupProgram I = SetupProgram::Installer;
constexpr SetupProgram U = SetupProgram::Uninstaller;

const Case kCases[] = {
    {u"", I, false, false, false, false, false, u"", u"", u""},
    {u"   \t ", I, false, false, false, false, false, u"", u"", u""},
    {u"/SILENT", I, true, false, false, false, false, u"", u"", u""},
    {u"/verysilent /SuppressMsgBoxes /norestart", I, false, true, true, true, false, u"", u"", u""},
    {u"/?", I, false, false, false, false, true, u"", u"", u""},
    {u"/LANG=French /SILENT", I, true, false, false, false, false, u"French", u"", u""},
    {u"/LOG=C:\\setup.log", I, false, false, false, false, false, u"", u"C:\\setup.log", u""},
    // Quoted paths with blanks, and a folder-like ending backslash that is no escape.
    {u"/VERYSILENT /LOG=\"C:\\Program Files\\My Logs\\setup.log\" /NORESTART", I, false, true,
     false, true, false, u"", u"C:\\Program Files\\My Logs\\setup.log", u""},
    {u"\"/LOG=C:\\a b\\x.log\"", I, false, false, false, false, false, u"", u"C:\\a b\\x.log", u""},
    {u"/LOG=\"C:\\Logs\\\" /SILENT", I, true, false, false, false, false, u"", u"C:\\Logs\\", u""},
    // What is not understood stops the run with a message.
    {u"/SILENT /DIR=C:\\x", I, true, false, false, false, false, u"", u"", u"Unknown option: /DIR"},
    // The first fault is told; the options after it still count (quiet, log).
    {u"/BOGUS /VERYSILENT /LOG=C:\\x.log /X", I, false, true, false, false, false, u"",
     u"C:\\x.log", u"Unknown option: /BOGUS"},
    {u"/S", I, false, false, false, false, false, u"", u"", u"Unknown option: /S"},
    {u"SILENT", I, false, false, false, false, false, u"", u"", u"Unknown option: SILENT"},
    {u"/SILENT=1", I, false, false, false, false, false, u"", u"", u"Unknown option"},
    {u"/LOG", I, false, false, false, false, false, u"", u"", u"/LOG needs a file"},
    {u"/LOG=\"\"", I, false, false, false, false, false, u"", u"", u"/LOG needs a file"},
    {u"/LANG=", I, false, false, false, false, false, u"", u"", u"/LANG needs"},
    {u"/LOG=\"C:\\a b.log", I, false, false, false, false, false, u"", u"",
     u"A double quote is not closed"},
    // The uninstaller: the same quiet options and the log, but no language.
    {u"/Silent", U, true, false, false, false, false, u"", u"", u""},
    {u"/VERYSILENT /NORESTART /LOG=\"C:\\u.log\"", U, false, true, false, true, false, u"",
     u"C:\\u.log", u""},
    {u"/LANG=French", U, false, false, false, false, false, u"", u"", u"Unknown option"},
};

TEST(CommandLine, TableOfCases) {
    for (const Case& c : kCases) {
        const SetupOptions o = ParseSetupCommandLine(c.line, c.program);
        SCOPED_TRACE(Utf16ToUtf8(c.line));
        EXPECT_EQ(o.silent, c.silent);
        EXPECT_EQ(o.verySilent, c.verySilent);
        EXPECT_EQ(o.suppressMessageBoxes, c.suppress);
        EXPECT_EQ(o.noRestart, c.noRestart);
        EXPECT_EQ(o.help, c.help);
        EXPECT_EQ(o.language, c.language);
        EXPECT_EQ(o.logPath, c.log);
        const std::u16string error = c.error;
        EXPECT_EQ(o.error.substr(0, error.size()), error) << Utf16ToUtf8(o.error);
        EXPECT_EQ(o.error.empty(), error.empty());
    }
}

// Message boxes go only in a quiet run: alone, the option would silence a person's wizard.
TEST(CommandLine, MessageBoxesAreSuppressedOnlyInAQuietRun) {
    EXPECT_FALSE(ParseSetupCommandLine(u"/SUPPRESSMSGBOXES", I).MessageBoxesSuppressed());
    EXPECT_TRUE(ParseSetupCommandLine(u"/SILENT /SUPPRESSMSGBOXES", I).MessageBoxesSuppressed());
    EXPECT_TRUE(
        ParseSetupCommandLine(u"/SUPPRESSMSGBOXES /VERYSILENT", I).MessageBoxesSuppressed());
    EXPECT_FALSE(ParseSetupCommandLine(u"/VERYSILENT", I).MessageBoxesSuppressed());
}

}  // namespace
