#include "FileFilter.h"

std::wstring ToWin32Filter(const std::u16string& filter) {
    if (filter.empty())
        return {};
    std::wstring converted(filter.begin(), filter.end());
    for (wchar_t& c : converted) {
        if (c == L'|')
            c = L'\0';
    }
    // A trailing '|' already ended the last part.
    if (converted.back() != L'\0')
        converted.push_back(L'\0');
    converted.push_back(L'\0');
    return converted;
}
