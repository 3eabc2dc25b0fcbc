// With no device manager on this host, the present devices are the simulated machine's.
#include "SimDeviceTree.h"

IDeviceEnumerator& PlatformDeviceEnumerator() {
    static SimDeviceTree tree;
    return tree;
}
