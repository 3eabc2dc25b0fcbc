// Diagnostic trace lines: OutputDebugStringW on Windows, a sink that tests can replace elsewhere.
#pragma once

#include <functional>
#include <string>

void DebugOutput(const std::u16string& line);

// Replaces where trace lines go; an empty function restores the platform's default.
void SetDebugOutputSink(std::function<void(const std::u16string&)> sink);

// Platform default, implemented once per platform.
void PlatformDebugOutput(const std::u16string& line);
