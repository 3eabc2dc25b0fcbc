// The panel's one error type: a malformed number or an unreadable file in skin, language or
// profile data. The program entry shows its message; during start-up it ends the panel.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

// UTF-8 for what().
std::string MessageText(const std::u16string& text);

class PanelError : public std::runtime_error {
public:
    explicit PanelError(const std::u16string& message)
        : std::runtime_error(MessageText(message)), text_(message) {}
    // The message as the panel shows it.
    const std::u16string& text() const { return text_; }

private:
    std::u16string text_;
};

// The standard text-to-integer conversion: optional leading spaces and sign, then decimal digits
// or hexadecimal after "0x" or "$", and nothing after them. Hexadecimal takes up to 32 bits (as
// the bit pattern); decimal must fit 32 bits. Anything else throws PanelError
// "'text' is not a valid integer value".
int32_t TextToInt(const std::u16string& text);
