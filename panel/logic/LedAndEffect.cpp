#include "LedAndEffect.h"

#include "Discovery.h"
#include "HidChannel.h"

uint32_t LedWrite(PanelContext& ctx, int32_t lit) {
    auto hid = OpenHeadset(ctx);
    if (!hid) {
        return 1;
    }
    uint8_t pins[kGpioPinCount] = {};
    const uint32_t rc = lit != 0 ? ReadGpio(*hid, pins) : WriteGpio(*hid, pins);
    if (rc != 0) {
        return 2;
    }
    return SendIdleReport(*hid) == 0 ? 0 : 3;
}

uint32_t EffectSelection(PanelContext& ctx, uint32_t effectIndex) {
    return ExtSelectEffect(ctx.driver, effectIndex);
}
