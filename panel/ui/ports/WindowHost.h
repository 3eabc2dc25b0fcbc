// Port: what the main window asks of the platform's window.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class MessageIcon { Exclamation, Information, Error };

class IWindowHost {
public:
    virtual ~IWindowHost() = default;

    // A modal box with one OK button.
    virtual void ShowMessage(const std::u16string& text, const std::u16string& caption,
                             MessageIcon icon) = 0;
    // Pointer capture released and the window moved by the system as if its caption were
    // dragged; returns when the move ends.
    virtual void BeginWindowDrag() = 0;
    // Closes the main window, which ends the panel.
    virtual void CloseMainWindow() = 0;
    virtual void Minimize() = 0;
    // The window hidden, the panel left in the notification area.
    virtual void HideToTray() = 0;
    // Processes the window messages that are waiting.
    virtual void ProcessPendingMessages() = 0;
    // The window's shape from a region description (header and rectangles); false when the
    // platform rejects it and the window keeps no special shape.
    virtual bool SetWindowRegion(const std::vector<uint8_t>& regionData) = 0;
    virtual void SetWindowSize(int width, int height) = 0;
    virtual void SetClientSize(int width, int height) = 0;
};

// Port: the actions of the window that belong to other parts of the panel.
class IPanelCommands {
public:
    virtual ~IPanelCommands() = default;

    virtual void SaveProfile() = 0;
    virtual void LoadProfile() = 0;
    virtual void ShowAbout() = 0;
};
