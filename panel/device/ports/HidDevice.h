// Port: the headset's vendor-defined HID interface.
#pragma once

#include <cstdint>
#include <memory>

struct HidCaps {
    uint16_t inputReportByteLength = 0;
    uint16_t outputReportByteLength = 0;
};

// One open HID interface; the handle is closed with the object.
class IHidDevice {
public:
    virtual ~IHidDevice() = default;

    // HidD_GetPreparsedData, HidP_GetCaps, HidD_FreePreparsedData: false when either query fails.
    virtual bool GetCaps(HidCaps& caps) = 0;
    // HidD_SetOutputReport: a synchronous control transfer.
    virtual bool SetOutputReport(const uint8_t* report, uint32_t length) = 0;
    // HidD_GetInputReport into a zeroed buffer whose byte 0 is the report ID.
    virtual bool GetInputReport(uint8_t* report, uint32_t length) = 0;
};

class IHidBus {
public:
    virtual ~IHidBus() = default;

    // The first present HID interface whose attributes carry both IDs and whose output reports
    // can carry a command (OpenCommandInterface), or null.
    virtual std::unique_ptr<IHidDevice> OpenHidDevice(uint16_t vendorId, uint16_t productId) = 0;
};

// The present HID interfaces in enumeration order, each opened on its own.
class IHidInterfaceList {
public:
    virtual ~IHidInterfaceList() = default;

    enum class Entry {
        Opened,    // device and the IDs of its attributes are set
        Unusable,  // its detail, its open or its attributes failed: go on with the next
        End,       // past the last interface
    };
    virtual Entry Open(uint32_t index, std::unique_ptr<IHidDevice>& device, uint16_t& vendorId,
                       uint16_t& productId) = 0;
};
