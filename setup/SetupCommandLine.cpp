#include "SetupCommandLine.h"

#include <vector>

namespace {

char16_t Upper(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 0x20) : c;
}

std::u16string UpperCase(std::u16string text) {
    for (char16_t& c : text)
        c = Upper(c);
    return text;
}

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// Splits at blanks outside double quotes; the quotes themselves are dropped. False when a quote
// is left open: the last value would silently run to the end of the line.
bool SplitArguments(const std::u16string& line, std::vector<std::u16string>& arguments) {
    std::u16string current;
    bool inQuotes = false;
    bool any = false;
    for (char16_t c : line) {
        if (c == u'"') {
            inQuotes = !inQuotes;
            any = true;
        } else if (IsBlank(c) && !inQuotes) {
            if (any)
                arguments.push_back(current);
            current.clear();
            any = false;
        } else {
            current += c;
            any = true;
        }
    }
    if (any)
        arguments.push_back(current);
    return !inQuotes;
}

}  // namespace

SetupOptions ParseSetupCommandLine(const std::u16string& commandLine, SetupProgram program) {
    SetupOptions options;
    std::vector<std::u16string> arguments;
    if (!SplitArguments(commandLine, arguments)) {
        options.error = u"A double quote is not closed: " + commandLine;
        return options;
    }
    // The first fault is reported; the other options still count, so that a silent run with a
    // misspelt option stays silent and writes its log.
    const auto fault = [&options](const std::u16string& text) {
        if (options.error.empty())
            options.error = text;
    };
    for (const std::u16string& argument : arguments) {
        const size_t equals = argument.find(u'=');
        const std::u16string name = UpperCase(argument.substr(0, equals));
        const bool hasValue = equals != std::u16string::npos;
        const std::u16string value = hasValue ? argument.substr(equals + 1) : std::u16string();
        if (!hasValue && name == u"/SILENT") {
            options.silent = true;
        } else if (!hasValue && name == u"/VERYSILENT") {
            options.verySilent = true;
        } else if (!hasValue && name == u"/SUPPRESSMSGBOXES") {
            options.suppressMessageBoxes = true;
        } else if (!hasValue && name == u"/NORESTART") {
            options.noRestart = true;
        } else if (!hasValue && (name == u"/?" || name == u"/HELP")) {
            options.help = true;
        } else if (name == u"/LOG") {
            // No default place: an elevated program writing into %TEMP% writes where the user
            // can lay a link.
            if (value.empty())
                fault(u"/LOG needs a file: /LOG=\"C:\\Logs\\setup.log\"");
            else
                options.logPath = value;
        } else if (name == u"/LANG" && program == SetupProgram::Installer) {
            if (value.empty())
                fault(u"/LANG needs a language folder: /LANG=English");
            else
                options.language = value;
        } else {
            fault(u"Unknown option: " + argument);
        }
    }
    return options;
}

std::u16string SetupUsage(SetupProgram program) {
    if (program == SetupProgram::Uninstaller)
        return u"AudioUninstall [/SILENT | /VERYSILENT] [/SUPPRESSMSGBOXES] [/NORESTART] "
               u"[/LOG=\"file\"]\n\n"
               u"/SILENT, /VERYSILENT\tremove without asking and show nothing\n"
               u"/NORESTART\t\tnever restart Windows (the uninstaller never does)\n"
               u"/LOG=\"file\"\t\twrite every step and what was removed to the file\n\n"
               u"Exit codes: 0 removed, 1 declined, 10 some parts left (restart and run again), "
               u"11 no install log, 12 damaged install log, 1618 an installation is running, "
               u"1639 command line not understood.";
    return u"AudioSetupApp [/SILENT | /VERYSILENT] [/SUPPRESSMSGBOXES] [/NORESTART] "
           u"[/LANG=folder] [/LOG=\"file\"]\n\n"
           u"/SILENT\t\t\tthe progress window only, no questions\n"
           u"/VERYSILENT\t\tno window at all\n"
           u"/SUPPRESSMSGBOXES\tno message boxes in a silent run\n"
           u"/NORESTART\t\tnever restart Windows, even when the driver needs it\n"
           u"/LANG=folder\t\tthe language, a folder name of the installer's languages\n"
           u"/LOG=\"file\"\t\twrite every step, its result and what was written to the file\n\n"
           u"Exit codes: 0 done, 3010 done and a restart is needed, 1641 done and Windows "
           u"restarts, 1602 cancelled, 1603 failed, 1618 another installation is running, 1639 "
           u"command line not understood.";
}
