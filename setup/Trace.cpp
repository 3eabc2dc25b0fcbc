#include "DebugTrace.h"
#include "SetupOperations.h"

void TraceEntry(const std::u16string& name) {
    DebugOutput(u"==> " + name + u"\n");
}
