// The field trace of AudioPanelApp.exe: the device ports' traffic appended to the file that the
// environment variable AUDIOPANEL_TRACE names, one line each, in the simulator's format.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "TracingPorts.h"

class TraceFileWin32 {
public:
    virtual ~TraceFileWin32() = default;
    virtual void Write(const std::string& line) = 0;
};

// "AUDIOPANEL_TRACE".
extern const wchar_t kFieldTraceVariable[];

// The path the variable names: as it is, or a Linux path that Wine reaches as its "Z:" drive;
// empty when the variable is unset, empty or too long.
std::wstring FieldTracePath();

// A trace grows by some 50 lines a second while the speakers rotate: past this size the file is
// renamed to FILE.1 and begun anew.
constexpr uint64_t kTraceFileLimit = 4 * 1024 * 1024;

// The file opened for appending (shared for reading while the panel runs), or null when the
// path is empty or the file cannot be opened: the panel then runs without a trace.
std::unique_ptr<TraceFileWin32> OpenTraceFileWin32(const std::wstring& path,
                                                   uint64_t limit = kTraceFileLimit);

// A sink writing to file, which must outlive it.
TraceSink TraceFileSink(TraceFileWin32& file);
