#include "SetupMessagesWin32.h"

#include <windows.h>

#include "DebugTrace.h"
#include "WideText.h"

void TellAdministrator(const SetupOptions& options, const std::u16string& text,
                       const std::u16string& caption, bool isError) {
    DebugOutput(u"##### " + caption + u": " + text + u" #####\n");
    if (options.MessageBoxesSuppressed())
        return;
    MessageBoxW(nullptr, W(text), W(caption),
                MB_OK | MB_SETFOREGROUND | (isError ? MB_ICONERROR : MB_ICONINFORMATION));
}
