#include "AccessibleOwner.h"

#include "AccessEvents.h"
#include "AccessibilityLibrary.h"

AccessibleOwner::AccessibleOwner(HWND window, IAccessibleHost& host)
    : window_(window), host_(host) {}

AccessibleOwner::~AccessibleOwner() {
    Disconnect();
}

bool AccessibleOwner::Answer(WPARAM flags, LPARAM objectId, LRESULT* result) {
    // The id is a 32-bit value; a 64-bit lParam may carry it without its sign.
    if (!connected_ || static_cast<LONG>(static_cast<DWORD>(objectId)) != OBJID_CLIENT) {
        return false;
    }
    if (!object_) {
        object_ = new AccessibleWindow(window_, host_);
    }
    // The identifier from the header: oleacc's exported one would be reached through a thunk.
    return AccessibleLresult(__uuidof(IAccessible), flags, object_, result);
}

void AccessibleOwner::Disconnect() {
    connected_ = false;
    told_.clear();
    if (object_) {
        object_->Disconnect();
        object_->Release();
        object_ = nullptr;
    }
}

bool AccessibleOwner::Listened() {
    for (const DWORD event : {EVENT_OBJECT_FOCUS, EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_NAMECHANGE,
                              EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_REORDER}) {
        if (IsWinEventHookInstalled(event)) {
            return true;
        }
    }
    return false;
}

void AccessibleOwner::Announce() {
    if (!connected_) {
        return;
    }
    // A hidden window tells nothing; shown again, its description starts afresh. Nor is it
    // made while nobody listens: a rotation would make it 50 times a second.
    if (!IsWindowVisible(window_) || !Listened()) {
        // Its room too: the reader may be gone for the rest of the day.
        std::vector<AccessibleItem>().swap(told_);
        return;
    }
    std::vector<AccessibleItem> now = host_.Describe();
    if (told_.empty()) {
        told_ = std::move(now);
        return;
    }
    const DWORD tick = GetTickCount();
    for (const AccessEvent& e : CompareDescriptions(told_, now)) {
        DWORD event = 0;
        switch (e.kind) {
            case AccessEventKind::Focus:
                if (GetFocus() != window_) {
                    continue;
                }
                event = EVENT_OBJECT_FOCUS;
                break;
            case AccessEventKind::ValueChange:
                if (now[static_cast<size_t>(e.child) - 1].role == AccessRole::ProgressBar) {
                    if (meterTold_ && tick - meterToldAt_ < kMeterEventMs) {
                        continue;
                    }
                    meterTold_ = true;
                    meterToldAt_ = tick;
                }
                event = EVENT_OBJECT_VALUECHANGE;
                break;
            case AccessEventKind::StateChange:
                event = EVENT_OBJECT_STATECHANGE;
                break;
            case AccessEventKind::NameChange:
                event = EVENT_OBJECT_NAMECHANGE;
                break;
            case AccessEventKind::Reorder:
                event = EVENT_OBJECT_REORDER;
                break;
        }
        NotifyWinEvent(event, window_, OBJID_CLIENT, e.child);
    }
    told_ = std::move(now);
}

RECT DesignToScreen(HWND window, const ScreenScale& scale, const Rect& design) {
    const Rect r = scale.ToScreen(design);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    return {origin.x + r.left, origin.y + r.top, origin.x + r.left + r.width,
            origin.y + r.top + r.height};
}

Point ScreenToDesign(HWND window, const ScreenScale& scale, POINT screen) {
    ScreenToClient(window, &screen);
    return scale.ToDesign(Point{screen.x, screen.y});
}
