#include "HidSelection.h"

std::unique_ptr<IHidDevice> OpenCommandInterface(IHidInterfaceList& interfaces, uint16_t vendorId,
                                                 uint16_t productId) {
    for (uint32_t index = 0;; ++index) {
        std::unique_ptr<IHidDevice> device;
        uint16_t vendor = 0;
        uint16_t product = 0;
        switch (interfaces.Open(index, device, vendor, product)) {
            case IHidInterfaceList::Entry::End:
                return nullptr;
            case IHidInterfaceList::Entry::Unusable:
                continue;
            case IHidInterfaceList::Entry::Opened:
                break;
        }
        if (!device || vendor != vendorId || product != productId)
            continue;
        HidCaps caps;
        if (device->GetCaps(caps) && caps.outputReportByteLength >= kCommandReportLength)
            return device;
    }
}
