// FormCreate's single-instance rule: a mutex named with the application title marks the running
// instance; a second one raises the first and ends without showing a window. The mutex is
// created in one step, not looked for first: two panels started at the same moment cannot both
// find none.
#pragma once

#include <string>

// Port: what the rule needs of the platform.
class IInstanceHost {
public:
    virtual ~IInstanceHost() = default;
    // The application-wide pointer hook.
    virtual void InstallPointerHook() = 0;
    enum class MutexResult {
        Created,        // this process made it
        AlreadyExists,  // ERROR_ALREADY_EXISTS
        AccessDenied,   // ERROR_ACCESS_DENIED: it exists, made by a panel with higher rights
        Failed,         // anything else
    };
    // CreateMutexW(default security, not owned, name) in the session's namespace; kept until the
    // process ends.
    virtual MutexResult CreateMutex(const std::u16string& name) = 0;
    // This instance's own hidden application window loses its text, so the search misses it.
    virtual void ClearOwnApplicationText() = 0;
    // FindWindowW("TApplication", title); if found: restored when minimised, brought to the top
    // and to the foreground. False when no window was found.
    virtual bool RaiseApplicationWindow(const std::u16string& title) = 0;
    // The main window not shown, the application terminated: the message loop ends at once.
    virtual void Terminate() = 0;
};

// True when this is the only instance and the panel goes on.
bool FormCreate(IInstanceHost& host, const std::u16string& appTitle);
