#include "SkinFields.h"

#include "PanelError.h"
#include "SliderMapping.h"

std::vector<std::u16string> SplitFields(const std::u16string& value) {
    std::vector<std::u16string> fields;
    size_t i = 0;
    while (i < value.size()) {
        std::u16string field;
        if (value[i] == u'"') {
            ++i;
            while (i < value.size()) {
                if (value[i] == u'"') {
                    if (i + 1 < value.size() && value[i + 1] == u'"') {
                        field += u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += value[i++];
            }
        }
        const size_t comma = value.find(u',', i);
        const size_t end = comma == std::u16string::npos ? value.size() : comma;
        field += value.substr(i, end - i);
        fields.push_back(field);
        i = end;
        if (comma != std::u16string::npos) {
            ++i;
            if (i == value.size()) {
                fields.emplace_back();
            }
        }
    }
    return fields;
}

std::u16string FieldAt(const std::vector<std::u16string>& fields, size_t i) {
    return i < fields.size() ? fields[i] : std::u16string();
}

int32_t FieldInteger(const std::u16string& field) {
    return TextToInt(field);
}

int32_t FieldPixels(const std::u16string& field) {
    return ClampInt(TextToInt(field), -kPixelLimit, kPixelLimit);
}

std::u16string StripAccelerators(const std::u16string& caption) {
    std::u16string out;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            ++i;
            if (i == caption.size()) {
                break;
            }
        }
        out += caption[i];
    }
    return out;
}

std::u16string FoldedName(const std::u16string& name) {
    std::u16string out = name;
    for (char16_t& c : out) {
        if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
            c = static_cast<char16_t>(c - 0x20);
        }
    }
    return out;
}
