// Names a screen reader reads for what no label of the language names: the window's own buttons,
// the 3D sliders and link buttons, the speakers, the level meter, the link modes and the default
// actions. [Accessibility] of Language.ini, one key per catalogue row (or per mode and action);
// a language without a key reads the built-in English name.
#pragma once

#include <array>
#include <string>

#include "ports/ProfileStrings.h"

struct AccessibleNameKey {
    const char* key;
    const char16_t* english;
};

constexpr size_t kAccessibleNameCount = 27;
extern const std::array<AccessibleNameKey, kAccessibleNameCount> kAccessibleNameKeys;

constexpr const char16_t* kAccessibilitySection = u"Accessibility";
// The longest name read; longer ones are cut, as labels are.
constexpr int kAccessibleNameLength = 127;

class AccessibleNames {
public:
    // Every name the built-in English one.
    AccessibleNames();

    // The language's name for the key, else the built-in one; empty for a key not in the table.
    const std::u16string& Of(const char* key) const;

    // Takes the names [Accessibility] of the file gives; the others stay built-in.
    void Load(IProfileStrings& strings, const std::u16string& languageFile);

private:
    std::array<std::u16string, kAccessibleNameCount> texts_;
};
