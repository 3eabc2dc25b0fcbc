// Any bytes as AudioConfig.cfg: loading the USB group and matching an ID must stay defined.
#include <cstddef>
#include <cstdint>

#include "DeviceIdMgr.h"
#include "FuzzFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CDeviceIdMgr group;
    const int32_t status = group.LoadGroup(fuzz::Scratch().Write(data, size), u"USB_VID_PID");
    fuzz::Check(status >= 0 && status <= 4);
    fuzz::Check(group.ids.size() <= group.entries.size());
    const bool match = group.IsMatch(u"USB\\VID_3F9C&PID_4701&REV_0100&MI_00");
    fuzz::Check(!match || !group.ids.empty());
    return 0;
}
