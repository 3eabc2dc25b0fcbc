#include "Icons.h"

#include "WideText.h"

namespace {

UniqueIcon LoadIconFile(const std::u16string& path, int widthMetric, int heightMetric) {
    return UniqueIcon(
        static_cast<HICON>(LoadImageW(nullptr, W(path), IMAGE_ICON, GetSystemMetrics(widthMetric),
                                      GetSystemMetrics(heightMetric), LR_LOADFROMFILE)));
}

}  // namespace

bool Icons::Load(const std::u16string& path) {
    UniqueIcon small = LoadIconFile(path, SM_CXSMICON, SM_CYSMICON);
    UniqueIcon large = LoadIconFile(path, SM_CXICON, SM_CYICON);
    if (!small || !large)
        return false;
    small_ = std::move(small);
    large_ = std::move(large);
    return true;
}
