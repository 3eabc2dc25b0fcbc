// The platform as the window's tests see it: every picture loads (with a chosen size) unless
// named unreadable, text is 7 pixels a character, and the window's requests are recorded.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "Pictures.h"
#include "TextMeasure.h"
#include "WindowHost.h"

class FakeUiHost : public IPictures,
                   public ITextMeasure,
                   public IWindowHost,
                   public IPanelCommands {
public:
    struct Message {
        std::u16string text;
        std::u16string caption;
        MessageIcon icon;
    };

    bool Load(const std::u16string& path, Size* size) override {
        loads.push_back(path);
        if (unreadable.count(path) || path.empty() || path.back() == u'\\') {
            return false;
        }
        auto it = sizes.find(path);
        *size = it == sizes.end() ? pictureSize : it->second;
        return true;
    }
    Size Measure(const std::u16string& text, const LabelFont& font) override {
        return {7 * static_cast<int>(text.size()), 13};
    }

    void ShowMessage(const std::u16string& text, const std::u16string& caption,
                     MessageIcon icon) override {
        messages.push_back({text, caption, icon});
    }
    void BeginWindowDrag() override { ++drags; }
    void CloseMainWindow() override { ++closes; }
    void Minimize() override { ++minimises; }
    void HideToTray() override { ++hides; }
    void ProcessPendingMessages() override {
        ++pumps;
        // What was waiting in the queue, handled inside the pump; runs once.
        if (auto waiting = std::move(onPump)) {
            onPump = nullptr;
            waiting();
        }
    }
    bool SetWindowRegion(const std::vector<uint8_t>& regionData) override { return true; }
    void SetWindowSize(int width, int height) override { windowSize = {width, height}; }
    void SetClientSize(int width, int height) override { clientSize = {width, height}; }

    void SaveProfile() override { ++saves; }
    void LoadProfile() override { ++profileLoads; }
    void ShowAbout() override { ++abouts; }

    std::map<std::u16string, Size> sizes;
    std::set<std::u16string> unreadable;
    Size pictureSize{30, 20};
    std::vector<std::u16string> loads;
    std::vector<Message> messages;
    Size windowSize;
    Size clientSize;
    int drags = 0;
    int closes = 0;
    int minimises = 0;
    int hides = 0;
    int pumps = 0;
    std::function<void()> onPump;
    int saves = 0;
    int profileLoads = 0;
    int abouts = 0;
};
