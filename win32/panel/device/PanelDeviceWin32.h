// The Win32 implementations of the panel's device ports.
#pragma once

#include <memory>

#include "ports/AudioEndpoint.h"
#include "ports/DriverDevice.h"
#include "ports/HidDevice.h"

std::unique_ptr<IHidBus> CreateHidBusWin32();
// The present HID interfaces that the bus chooses from, in SetupDi's order.
std::unique_ptr<IHidInterfaceList> CreateHidInterfaceListWin32();
std::unique_ptr<IDriverPort> CreateDriverPortWin32();
std::unique_ptr<IAudioEndpoints> CreateAudioEndpointsWin32();
std::unique_ptr<IOsVersion> CreateOsVersionWin32();
