// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/accessibility/announcer.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QPointer>
#include <QWidget>

#include "ui/platform/utf8.h"

namespace zelva {

namespace {

// Qt 6.4 has no announcement event, and Orca 43 ignores AT-SPI's Announcement
// signal, alerts and description changes of the focused cell; what it does
// speak, without moving the focus, is an object in the role of a notification
// that becomes shown. This is that object: no widget, so nothing is drawn or
// laid out, and one for the window's life, reused for every announcement.
class Notice final : public QAccessibleObject {
public:
    Notice(QObject* anchor, QWidget& window) : QAccessibleObject(anchor), window_(&window) {}

    QAccessibleInterface* parent() const override
    {
        return window_ ? QAccessible::queryAccessibleInterface(window_.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override { return t == QAccessible::Name ? text_ : QString(); }
    void setText(QAccessible::Text t, const QString& text) override
    {
        if (t == QAccessible::Name)
            text_ = text;
    }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.invisible = true;  // nothing on screen, and no place in the tab chain
        return state;
    }

private:
    QPointer<QWidget> window_;
    QString text_;
};

} // namespace

struct Announcer::State {
    QObject* anchor;  // a child of the window: the notice goes with it
    QAccessible::Id notice;
};

Announcer::Announcer(QWidget& window)
    : state_(std::make_unique<State>())
{
    state_->anchor = new QObject(&window);
    state_->notice = QAccessible::registerAccessibleInterface(new Notice(state_->anchor, window));
}

Announcer::~Announcer() = default;

void Announcer::announce(std::string_view text)
{
    QAccessibleInterface* notice = QAccessible::accessibleInterface(state_->notice);
    if (!notice)
        return;
    notice->setText(QAccessible::Name, fromUtf8(text));
    QAccessibleEvent shown(notice, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

} // namespace zelva
