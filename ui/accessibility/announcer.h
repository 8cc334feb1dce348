// SPDX-License-Identifier: GPL-3.0-or-later
// Tells the user's screen reader a short text, without moving the focus or
// changing anything on screen: on Windows 10 1709 and later as a UI Automation
// notification; elsewhere as a hidden object in the role of a notification
// that is shown, which works around Qt 6.4's lack of an announcement event and
// Orca 43's deafness to AT-SPI announcements, and can go for Qt 6.8's
// QAccessibleAnnouncementEvent. Where neither is there, nothing happens.
// Throws only std::bad_alloc.
#pragma once

#include <functional>
#include <memory>
#include <string_view>

class QWidget;

namespace zelva {

// The seam the window calls: UTF-8 text in.
using AnnounceFn = std::function<void(std::string_view text)>;

class Announcer {
public:
    // Speaks on behalf of `window`, which must outlive the announcer.
    explicit Announcer(QWidget& window);
    ~Announcer();
    Announcer(const Announcer&) = delete;
    Announcer& operator=(const Announcer&) = delete;

    void announce(std::string_view text);

private:
    struct State;  // each platform's own
    std::unique_ptr<State> state_;
};

} // namespace zelva
