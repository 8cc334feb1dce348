// SPDX-License-Identifier: GPL-3.0-or-later
// Enter and keypad Enter on a focused push button click it, as Space does, as
// keyboard and screen-reader users press it by habit. Qt clicks on Enter only
// auto-default buttons, and an auto-default button that has the focus is
// drawn as the default one, so the form would change its looks; this filter
// clicks without making any button the default. Install it on the buttons;
// never throws.
#pragma once

#include <QObject>

namespace zelva {

class EnterClicksButton final : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace zelva
