#include "ui/separator_guard.h"

#include <utility>

#include <QEvent>
#include <QKeyEvent>

namespace zelva {

std::optional<SeparatorHint> separatorHint(DecimalSeparator detected)
{
    switch (detected) {
    case DecimalSeparator::Comma:
        return SeparatorHint{"Utilizzare la VIRGOLA", "come separatore decimale"};
    case DecimalSeparator::Point:
        return SeparatorHint{"Utilizzare il PUNTO", "come separatore decimale"};
    case DecimalSeparator::Neither:
        break;
    }
    return std::nullopt;
}

std::optional<std::string_view> separatorWarning(DecimalSeparator detected, char16_t code)
{
    // Neither expects the point, like Point: only a comma is warned about.
    const bool commaExpected = detected == DecimalSeparator::Comma;
    if (commaExpected && code == u'.')
        return "Utilizzare la VIRGOLA come separatore decimale";
    if (!commaExpected && code == u',')
        return "Utilizzare il PUNTO come separatore decimale";
    return std::nullopt;
}

SeparatorGuard::SeparatorGuard(RegionalSettingsSource settings, MessageBoxFn showMessageBox,
                               QObject* parent)
    : QObject(parent), settings_(std::move(settings)), showMessageBox_(std::move(showMessageBox))
{
}

bool SeparatorGuard::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const QString text = static_cast<const QKeyEvent*>(event)->text();
        if (text.size() == 1) {
            const auto warning =
                separatorWarning(detectDecimalSeparator(settings_()), text[0].unicode());
            if (warning)
                showMessageBox_(*warning, MessageStyle::Plain);
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zelva
