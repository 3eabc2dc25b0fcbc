#include "LanguageStyles.h"

#include <vector>

#include "PanelError.h"
#include "ProfileFile.h"
#include "SkinFields.h"

namespace {

constexpr size_t kTextLimit = 127;
constexpr size_t kFontLimit = 63;

const char16_t* const kOverrideKeys[] = {u"LabelMenu1",  u"LabelMenu2",    u"LabelMenu3",
                                         u"LabelActive", u"LabelUnactive", u"LabelSetting",
                                         u"LabelSX"};

// The first field of a [GlobalFont] number, -1 when there is none.
int32_t GlobalNumber(const std::u16string& value, int32_t (*parse)(const std::u16string&)) {
    const std::u16string field = FieldAt(SplitFields(value), 0);
    return field.empty() ? -1 : parse(field);
}

void Overlay(const LabelStyle& from, LabelStyle& to) {
    const auto take = [](bool present, const auto& value, bool& toPresent, auto& toValue) {
        if (present) {
            toValue = value;
            toPresent = true;
        }
    };
    take(from.HasColorUp, from.ColorUp, to.HasColorUp, to.ColorUp);
    take(from.HasColorDown, from.ColorDown, to.HasColorDown, to.ColorDown);
    take(from.HasFontName, from.FontName, to.HasFontName, to.FontName);
    take(from.HasFontSize, from.FontSize, to.HasFontSize, to.FontSize);
    take(from.HasLeft, from.Left, to.HasLeft, to.Left);
    take(from.HasTop, from.Top, to.HasTop, to.Top);
    take(from.HasWidth, from.Width, to.HasWidth, to.Width);
    take(from.HasHeight, from.Height, to.HasHeight, to.Height);
}

// The parse, with the key named in its error.
LabelStyle ParseKey(const std::u16string& value, const char16_t* section, const char16_t* key,
                    const std::u16string& path) {
    try {
        return ParseLabelValue(value);
    } catch (const PanelError& e) {
        throw PanelError(e.text() + u" ([" + section + u"] " + key + u" in " + path + u")");
    }
}

}  // namespace

std::u16string LabelStyleKeyAt(int index) {
    return index >= 0 && index < kLabelStyleCount ? kLabelKeys[index].key : u"";
}

int LabelStyleIndex(const std::u16string& key) {
    for (int i = 0; i < kLabelStyleCount; ++i) {
        if (key == kLabelKeys[i].key) {
            return i;
        }
    }
    return -1;
}

const LabelStyle& StyleOf(const LanguageStyles& language, const std::u16string& key) {
    static const LabelStyle kEmpty;
    const int index = LabelStyleIndex(key);
    return index < 0 ? kEmpty : language.styles[static_cast<size_t>(index)];
}

LabelStyle ParseLabelValue(const std::u16string& value) {
    const std::vector<std::u16string> fields = SplitFields(value);
    LabelStyle style;
    style.Text = FieldAt(fields, 0).substr(0, kTextLimit);
    // Colours are bit patterns; the rest are points and pixels.
    const struct {
        int32_t& value;
        bool& present;
        size_t field;
        int32_t (*parse)(const std::u16string&);
    } numbers[] = {{style.ColorUp, style.HasColorUp, 1, FieldInteger},
                   {style.ColorDown, style.HasColorDown, 2, FieldInteger},
                   {style.FontSize, style.HasFontSize, 4, FieldPixels},
                   {style.Left, style.HasLeft, 5, FieldPixels},
                   {style.Top, style.HasTop, 6, FieldPixels},
                   {style.Width, style.HasWidth, 7, FieldPixels},
                   {style.Height, style.HasHeight, 8, FieldPixels}};
    for (const auto& n : numbers) {
        const std::u16string field = FieldAt(fields, n.field);
        if (!field.empty()) {
            n.value = n.parse(field);
            n.present = true;
        }
    }
    const std::u16string font = FieldAt(fields, 3);
    if (!font.empty()) {
        style.FontName = font.substr(0, kFontLimit);
        style.HasFontName = true;
    }
    return style;
}

void LoadLanguage(IProfileStrings& strings, const std::u16string& iniPath,
                  LanguageStyles& language) {
    language = LanguageStyles{};
    const auto global = [&](const char16_t* key) {
        return ReadProfileValue(strings, iniPath, u"GlobalFont", key);
    };
    try {
        language.global.ColorUp = GlobalNumber(global(u"ColorUp"), FieldInteger);
        language.global.ColorDown = GlobalNumber(global(u"ColorDown"), FieldInteger);
        language.global.FontName = global(u"Font").substr(0, kFontLimit);
        language.global.FontSize = GlobalNumber(global(u"FontSize"), FieldPixels);
    } catch (const PanelError& e) {
        throw PanelError(e.text() + u" ([GlobalFont] in " + iniPath + u")");
    }
    for (int i = 0; i < kLabelStyleCount; ++i) {
        const LabelKey& k = kLabelKeys[i];
        language.styles[static_cast<size_t>(i)] = ParseKey(
            ReadProfileValue(strings, iniPath, k.section, k.key), k.section, k.key, iniPath);
    }
}

void LoadSkinLabelOverrides(IProfileStrings& strings, const std::u16string& skinIniPath,
                            LanguageStyles& language) {
    for (const char16_t* key : kOverrideKeys) {
        const std::u16string value = ReadProfileValue(strings, skinIniPath, u"MainLable", key);
        const LabelStyle over = ParseKey(value, u"MainLable", key, skinIniPath);
        Overlay(over, language.styles[static_cast<size_t>(LabelStyleIndex(key))]);
    }
}
