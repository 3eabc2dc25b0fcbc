// Whole-file reads for the INI engine, through the platform's own file calls.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum RawFileStatus {
    RAW_FILE_OK = 0,
    RAW_FILE_CANNOT_OPEN = 1,
    RAW_FILE_NO_LENGTH = 2,
    RAW_FILE_NO_MEMORY = 3,
    RAW_FILE_READ_FAILED = 4,
};

// Replaces data with the file's bytes only on success.
int ReadRawFile(const std::u16string& path, std::vector<uint8_t>& data);
