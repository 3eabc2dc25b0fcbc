// Choosing the headset's HID interface among the present ones.
#pragma once

#include <cstdint>
#include <memory>

#include "ports/HidDevice.h"

// Every command report needs bytes 0 to 4.
constexpr uint16_t kCommandReportLength = 5;

// The first interface with both IDs whose output reports hold a command. A headset also exposes
// collections with the same IDs whose reports are too short (buttons, indicators): they are
// passed over, not taken as the end of the search.
std::unique_ptr<IHidDevice> OpenCommandInterface(IHidInterfaceList& interfaces, uint16_t vendorId,
                                                 uint16_t productId);
