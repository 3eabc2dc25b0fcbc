// The options administrators and deployment tools give the installer and the uninstaller, as they
// know them from other Windows installers. Without any, both programs behave as they always did.
#pragma once

#include <string>

struct SetupOptions {
    bool silent = false;                // /SILENT: the progress window only, no questions
    bool verySilent = false;            // /VERYSILENT: no window at all
    bool suppressMessageBoxes = false;  // /SUPPRESSMSGBOXES: with either of the above
    bool noRestart = false;             // /NORESTART
    bool help = false;                  // /?
    std::u16string language;            // /LANG=<language folder>
    std::u16string logPath;             // /LOG="<file>"
    // Not empty when the command line is not understood (its first fault); the other options are
    // still taken, so that a silent run stays silent and writes its log.
    std::u16string error;

    bool Quiet() const { return silent || verySilent; }
    // Message boxes are left out only in a quiet run, as the other installers do it.
    bool MessageBoxesSuppressed() const { return Quiet() && suppressMessageBoxes; }
};

enum class SetupProgram { Installer, Uninstaller };

// The command line after the program's name. Options are case-insensitive and separated by
// blanks; double quotes group blanks into a value and are removed, a backslash stays as it is
// (so /LOG="C:\Logs\" is that folder's name, not an escaped quote).
SetupOptions ParseSetupCommandLine(const std::u16string& commandLine, SetupProgram program);

// The text of /?, and of a message about a command line that is not understood.
std::u16string SetupUsage(SetupProgram program);
