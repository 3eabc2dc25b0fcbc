// /LOG: every trace line of the run, with the time, in a UTF-8 text file that any editor reads.
// The trace still reaches the debugger as before.
#pragma once

#include <mutex>
#include <string>

#include "Handles.h"

class SetupLogFile {
public:
    SetupLogFile() = default;
    // The trace goes back to the debugger alone before the file is closed.
    ~SetupLogFile();
    SetupLogFile(const SetupLogFile&) = delete;
    SetupLogFile& operator=(const SetupLogFile&) = delete;

    // Creates or empties the file and sends the trace to it from now on; false when it cannot
    // be created (nothing changes then).
    bool Open(const std::u16string& path);
    // One line, without the trace's line breaks; both threads of the installer write.
    void Write(const std::u16string& line);

private:
    std::mutex mutex_;
    UniqueHandle file_;
};
