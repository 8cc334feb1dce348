// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/accessibility/announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>

#include "ui/platform/utf8.h"

namespace zelva {

// Qt 6.4 has no announcement event (6.8 brings QAccessibleAnnouncementEvent,
// which can replace all of this), and Orca 43 ignores AT-SPI's Announcement
// signal, alerts and description changes of the focused cell; what it does
// speak, without moving the focus, is an object in the role of a notification
// that becomes shown. That object is a hidden child of the window, so nothing
// is drawn or laid out, made at the first announcement and reused after it.
struct Announcer::State {
    QWidget* window;
    QPointer<QWidget> notice;
};

Announcer::Announcer(QWidget& window)
    : state_(std::make_unique<State>(State{&window, nullptr}))
{
}

Announcer::~Announcer() = default;

void Announcer::announce(std::string_view text)
{
    if (!state_->notice) {
        state_->notice = new QWidget(state_->window);
        state_->notice->hide();
        // Registered, it is the notice's interface wherever Qt asks for one.
        QAccessible::registerAccessibleInterface(new QAccessibleWidget(state_->notice, QAccessible::Notification));
    }
    state_->notice->setAccessibleName(fromUtf8(text));
    QAccessibleEvent shown(state_->notice, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

} // namespace zelva
