// Label captions for numbers: "%d" and "%x".
#pragma once

#include <cstdint>
#include <string>

std::u16string DecimalText(int32_t value);
std::u16string HexText(uint32_t value);
