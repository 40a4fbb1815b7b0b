#pragma once

#include <string>

// The desktop's own notifications, which stay visible while the program's windows are
// minimised or hidden. A desktop without a notification service shows nothing, silently.
class DesktopNotifier {
public:
    virtual ~DesktopNotifier() = default;
    // Shows a notification with a title and a text; one with the same title replaces it.
    virtual void notify(const std::string& title, const std::string& text) = 0;
    // Takes the notification with this title away, once it has been answered.
    virtual void withdraw(const std::string& /*title*/) {}
};
