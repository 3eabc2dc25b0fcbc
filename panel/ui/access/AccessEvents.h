// What a screen reader is told after a message: the description before and after it compared,
// as the scene's snapshot finds what to repaint.
#pragma once

#include <vector>

#include "AccessibleItem.h"

enum class AccessEventKind : uint8_t {
    Focus,        // the focus moved to the child
    ValueChange,  // a slider's or the meter's value
    StateChange,  // checked, selected, unavailable
    NameChange,   // another language
    Reorder,      // other children: another page (child 0, the window's object)
};

struct AccessEvent {
    AccessEventKind kind;
    int child;  // 1-based child of the window's object; 0: the object itself
    bool operator==(const AccessEvent& o) const { return kind == o.kind && child == o.child; }
};

// Changes of the same controls; children that came or went give one Reorder. The focus event
// comes last, so a reader announces the focused child with its new state.
std::vector<AccessEvent> CompareDescriptions(const std::vector<AccessibleItem>& before,
                                             const std::vector<AccessibleItem>& after);
