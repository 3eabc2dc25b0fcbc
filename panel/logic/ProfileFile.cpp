#include "ProfileFile.h"

#include "ChipSettings.h"

namespace {

constexpr uint32_t kValueBuffer = 256;

// The saving flag is cleared however the save ends.
class SavingFlag {
public:
    explicit SavingFlag(PanelState& state) : state_(state) { state_.saving = 1; }
    ~SavingFlag() { state_.saving = 0; }
    SavingFlag(const SavingFlag&) = delete;
    SavingFlag& operator=(const SavingFlag&) = delete;

private:
    PanelState& state_;
};

}  // namespace

std::u16string ReadProfileValue(IProfileStrings& strings, const std::u16string& file,
                                const std::u16string& section, const std::u16string& key) {
    char16_t buffer[kValueBuffer] = {};
    const uint32_t n = strings.GetString(section, key, u"", buffer, kValueBuffer, file);
    return std::u16string(buffer, n < kValueBuffer ? n : kValueBuffer - 1);
}

void WriteProfile(PanelContext& ctx, IProfileStrings& strings, const std::u16string& file) {
    SavingFlag saving(ctx.state);
    WriteChipSettings(ctx, ProfileOut(strings, file));
}

uint32_t ReadProfile(PanelContext& ctx, IProfileStrings& strings, const std::u16string& file) {
    if (!ctx.device.devicePresent) {
        ctx.device.synchronise = 0;
    }
    ReadChipSettings(ctx, ProfileIn(strings, file));
    return 0;
}
