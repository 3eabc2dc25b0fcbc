// Names a screen reader reads for what no label of the language names: the catalogue's rows that
// carry an accessible name (the window's own buttons, the 3D sliders and link buttons, the
// speakers, the level meter), then the link modes and the default actions. [Accessibility] of
// Language.ini, one key per row name (or per mode and action); a language without a key reads the
// built-in English name.
#pragma once

#include <string>
#include <vector>

#include "ports/ProfileStrings.h"

struct AccessibleNameKey {
    const char* key;
    const char16_t* english;
};

// Every key, read from the catalogue once; the rows' in creation order, then the others.
const std::vector<AccessibleNameKey>& AccessibleNameKeys();

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
    std::vector<std::u16string> texts_;
};
