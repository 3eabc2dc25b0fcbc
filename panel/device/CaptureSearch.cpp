#include "CaptureSearch.h"

namespace {

char16_t Upper(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool BeginsWithNoCase(const std::u16string& text, size_t from, const std::u16string& prefix) {
    if (prefix.empty() || text.size() < from || text.size() - from < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (Upper(text[from + i]) != Upper(prefix[i]))
            return false;
    }
    return true;
}

}  // namespace

std::u16string CapturePathPrefix(uint16_t vendorId, uint16_t productId) {
    static const char16_t kDigits[] = u"0123456789ABCDEF";
    auto hex4 = [](uint16_t value) {
        std::u16string text;
        for (int shift = 12; shift >= 0; shift -= 4)
            text += kDigits[(value >> shift) & 0xF];
        return text;
    };
    return u"\\\\?\\USB#VID_" + hex4(vendorId) + u"&PID_" + hex4(productId);
}

bool InterfacePathBeginsWith(const std::u16string& path, const std::u16string& prefix) {
    size_t from = 0;
    if (!path.empty() && path[0] == u'{') {
        const size_t close = path.find(u"}.");
        if (close != std::u16string::npos)
            from = close + 2;
    }
    return BeginsWithNoCase(path, from, prefix);
}

std::u16string DescriptionByInterfacePath(const std::vector<DirectSoundCaptureEntry>& devices,
                                          const std::u16string& prefix) {
    std::u16string description;
    for (const DirectSoundCaptureEntry& device : devices) {
        // Only the path itself: an endpoint ID never begins with the prefix.
        if (BeginsWithNoCase(device.module, 0, prefix))
            description = device.description;  // the last match wins
    }
    return description;
}

const CaptureEndpointEntry* EndpointOnAdapter(const std::vector<CaptureEndpointEntry>& endpoints,
                                              const std::u16string& prefix) {
    for (const CaptureEndpointEntry& endpoint : endpoints) {
        if (InterfacePathBeginsWith(endpoint.adapterId, prefix))
            return &endpoint;
    }
    return nullptr;
}

const CaptureEndpointEntry* EndpointByName(const std::vector<CaptureEndpointEntry>& endpoints,
                                           const std::u16string& description) {
    // Every name contains the empty text: without a description any microphone would match.
    if (description.empty())
        return nullptr;
    for (const CaptureEndpointEntry& endpoint : endpoints) {
        if (endpoint.friendlyName.find(description) != std::u16string::npos)
            return &endpoint;
    }
    return nullptr;
}

int WaveInDeviceOf(const std::vector<WaveInDeviceEntry>& devices, const std::u16string& endpointId,
                   const std::u16string& prefix) {
    for (size_t i = 0; i < devices.size(); ++i) {
        const std::u16string& id = devices[i].endpointId;
        if (id.size() == endpointId.size() && BeginsWithNoCase(id, 0, endpointId))
            return static_cast<int>(i);
    }
    for (size_t i = 0; i < devices.size(); ++i) {
        if (InterfacePathBeginsWith(devices[i].interfacePath, prefix))
            return static_cast<int>(i);
    }
    return IWaveInput::kDefaultDevice;
}

std::u16string CaptureSearch::FindCaptureDescription(uint16_t vendorId, uint16_t productId) {
    const std::u16string prefix = CapturePathPrefix(vendorId, productId);
    std::u16string description =
        DescriptionByInterfacePath(devices_.DirectSoundCaptureDevices(), prefix);
    if (description.empty()) {
        const std::vector<CaptureEndpointEntry> endpoints = devices_.ActiveCaptureEndpoints();
        if (const CaptureEndpointEntry* endpoint = EndpointOnAdapter(endpoints, prefix))
            description = endpoint->friendlyName;
    }
    return description;
}

std::unique_ptr<ICaptureEndpoint> CaptureSearch::FindCaptureEndpoint(uint16_t vendorId,
                                                                     uint16_t productId) {
    const std::u16string prefix = CapturePathPrefix(vendorId, productId);
    const std::u16string description =
        DescriptionByInterfacePath(devices_.DirectSoundCaptureDevices(), prefix);
    const std::vector<CaptureEndpointEntry> endpoints = devices_.ActiveCaptureEndpoints();
    const CaptureEndpointEntry* found = EndpointByName(endpoints, description);
    if (!found)
        found = EndpointOnAdapter(endpoints, prefix);
    return found ? devices_.OpenEndpoint(found->id) : nullptr;
}

uint32_t CaptureSearch::MixerControl(MixerControlKind kind, uint32_t* value, uint32_t* minimum,
                                     uint32_t* maximum, uint16_t vendorId, uint16_t productId) {
    return devices_.MixerControlByDescription(kind, value, minimum, maximum,
                                              FindCaptureDescription(vendorId, productId));
}
