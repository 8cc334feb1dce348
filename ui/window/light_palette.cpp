// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window/light_palette.h"

#include <string_view>

#include <QApplication>
#include <QColor>
#include <QPalette>
#include <QWidget>

#include "calc/cell.h"

namespace zelva {

namespace {

QPalette lightPalette()
{
    // Fusion's light scheme, which the window was laid out and coloured in. Fusion
    // itself turns dark when the desktop does, so it is spelled out here.
    const QColor window(239, 239, 239);
    const QColor mid = window.darker(130);
    const QColor dark = window.darker(150);
    QPalette palette(Qt::black, window, window.lighter(150), dark, mid, Qt::black, Qt::white);
    palette.setColor(QPalette::Midlight, mid.lighter(110));
    palette.setColor(QPalette::Shadow, dark.darker(135));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Highlight, QColor(48, 140, 198));
    palette.setColor(QPalette::Disabled, QPalette::Highlight, QColor(145, 145, 145));
    palette.setColor(QPalette::PlaceholderText, QColor(0, 0, 0, 128));
    const QColor disabledText(190, 190, 190);
    for (const auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, disabledText);
    palette.setColor(QPalette::Disabled, QPalette::Base, window);
    return palette;
}

} // namespace

void applyFormColours(QWidget& form, bool highContrast)
{
    if (highContrast) {
        // The form's own captions, frames and hint colours go; every control
        // then inherits the theme's colours from the application.
        for (QWidget* control : form.findChildren<QWidget*>())
            control->setPalette(QPalette());
        form.setPalette(QApplication::palette());
        return;
    }
    // The controls keep their own colours; everything they leave open comes from
    // the light scheme.
    form.setPalette(lightPalette());
    for (std::string_view name : {std::string_view("Label20"), std::string_view("Label21"),
                                  controlName(Cell::TimeOfDay1), controlName(Cell::TimeOfDay2)}) {
        // The "Tempo in sec" rows: inside the blue frame, but in the window's
        // ordinary text colour.
        QWidget* control = form.findChild<QWidget*>(QLatin1String(name.data(), qsizetype(name.size())));
        if (!control)
            continue;
        QPalette own = control->palette();
        for (const auto role : {QPalette::WindowText, QPalette::Text})
            own.setColor(role, form.palette().color(role));
        control->setPalette(own);
    }
}

} // namespace zelva
