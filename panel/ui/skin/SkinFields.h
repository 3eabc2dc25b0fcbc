// The value syntax of skin and language files: fields separated by commas, spaces kept, a field
// that starts with a double quote running to its closing quote (commas included).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An empty value has no fields; a trailing comma gives a last empty field. Inside quotes a
// doubled quote stands for one; text after the closing quote, up to the next comma, is kept as
// part of the field; an unclosed quote runs to the end.
std::vector<std::u16string> SplitFields(const std::u16string& value);

// Field i, or empty text when the value has fewer fields.
std::u16string FieldAt(const std::vector<std::u16string>& fields, size_t i);

// An integer field: decimal, "$" hexadecimal, nothing after the digits; PanelError otherwise.
int32_t FieldInteger(const std::u16string& field);

// A position, length or size in pixels or points: an integer field held within what a window
// message's coordinates carry, so sums and products of a few of them never overflow.
constexpr int32_t kPixelLimit = 32767;
int32_t FieldPixels(const std::u16string& field);

// A caption with its "&" accelerator markers removed: each "&" is dropped, the next character
// kept ("&&" gives "&").
std::u16string StripAccelerators(const std::u16string& caption);

// Upper-case for the names of folders and keys (ASCII and Latin-1).
std::u16string FoldedName(const std::u16string& name);
