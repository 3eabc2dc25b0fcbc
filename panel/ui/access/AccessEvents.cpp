#include "AccessEvents.h"

namespace {

const Control* FocusedIn(const std::vector<AccessibleItem>& items, int* child) {
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].states & kAccessFocused) {
            *child = static_cast<int>(i) + 1;
            return items[i].control;
        }
    }
    return nullptr;
}

}  // namespace

std::vector<AccessEvent> CompareDescriptions(const std::vector<AccessibleItem>& before,
                                             const std::vector<AccessibleItem>& after) {
    std::vector<AccessEvent> events;
    bool sameChildren = before.size() == after.size();
    for (size_t i = 0; sameChildren && i < after.size(); ++i) {
        sameChildren = before[i].control == after[i].control;
    }
    if (!sameChildren) {
        events.push_back({AccessEventKind::Reorder, 0});
    }
    for (size_t i = 0; i < after.size(); ++i) {
        const AccessibleItem* old = nullptr;
        if (sameChildren) {
            old = &before[i];
        } else {
            for (const AccessibleItem& b : before) {
                if (b.control == after[i].control) {
                    old = &b;
                    break;
                }
            }
        }
        if (!old) {
            continue;
        }
        const int child = static_cast<int>(i) + 1;
        if (old->name != after[i].name) {
            events.push_back({AccessEventKind::NameChange, child});
        }
        if (old->value != after[i].value) {
            events.push_back({AccessEventKind::ValueChange, child});
        }
        if ((old->states & ~kAccessFocused) != (after[i].states & ~kAccessFocused)) {
            events.push_back({AccessEventKind::StateChange, child});
        }
    }
    int oldChild = 0;
    int newChild = 0;
    const Control* was = FocusedIn(before, &oldChild);
    const Control* now = FocusedIn(after, &newChild);
    if (now && now != was) {
        events.push_back({AccessEventKind::Focus, newChild});
    }
    return events;
}
