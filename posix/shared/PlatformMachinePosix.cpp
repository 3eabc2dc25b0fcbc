// With no device manager and no registry on this host, the simulated machine's stand in.
#include "MemoryRegistry.h"
#include "SimDeviceTree.h"

IDeviceEnumerator& PlatformDeviceEnumerator() {
    static SimDeviceTree tree;
    return tree;
}

IRegistry& PlatformRegistry() {
    static MemoryRegistry registry;
    return registry;
}
