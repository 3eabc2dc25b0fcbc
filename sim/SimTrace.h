// One line per simulated event ("HID SET 00 60 20 01 10", "DRV 002230F0 ..."); see TRACE.md.
// Kept in memory for tests and optionally copied to a stream or a file as it happens.
#pragma once

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "TraceFormat.h"

class SimTrace {
public:
    void Add(const std::string& line);

    const std::vector<std::string>& Lines() const { return lines_; }
    // The lines so far, and a fresh start.
    std::vector<std::string> Take();
    void Clear() { lines_.clear(); }
    // The lines that begin with prefix ("HID SET", "DRV ").
    std::vector<std::string> Filter(const std::string& prefix) const;

    // Also writes every line to this stream (null: none). The stream must outlive the trace.
    void SetStream(std::ostream* stream) { stream_ = stream; }
    // Also appends every line to this file (host path; empty closes it). False if it cannot be
    // opened.
    bool SetFile(const std::string& hostPath);
    // Whether the simulator keeps its records in memory (the default): these lines, the HID
    // reports and the driver commands. A long-running simulator panel, whose lines go to a file
    // or nowhere, keeps none, so its memory does not grow with every exchange.
    void KeepRecords(bool keep) { keep_ = keep; }
    bool KeepsRecords() const { return keep_; }

private:
    std::vector<std::string> lines_;
    bool keep_ = true;
    std::ostream* stream_ = nullptr;
    std::unique_ptr<std::ofstream> file_;
};
