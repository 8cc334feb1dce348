// The decimal separator guard: the start-up hint and the warning on typing the
// other separator. The two decisions are window-free; SeparatorGuard applies the
// warning to key presses in the cells it watches and never changes or swallows
// the typed character. Never throws.
#pragma once

#include <optional>
#include <string_view>

#include <QObject>

#include "calc/decimal_separator.h"
#include "calc/message_box.h"
#include "calc/regional_settings.h"

namespace zelva {

// The captions for Label12 (top) and Label13 (bottom).
struct SeparatorHint {
    std::string_view top;
    std::string_view bottom;
};

// The hint for the detected separator; nullopt for Neither (labels keep their captions).
std::optional<SeparatorHint> separatorHint(DecimalSeparator detected);

// The warning for a typed character (UTF-16 code), or nullopt when there is none.
std::optional<std::string_view> separatorWarning(DecimalSeparator detected, char16_t code);

// Event filter for the guarded cells: every key press that types a character asks the
// settings afresh, shows the warning with style 0 if there is one, and lets the
// key through, so the character is typed once the box is closed. Pasted text
// and text set by the program are not key presses and pass unseen.
class SeparatorGuard final : public QObject {
    Q_OBJECT
public:
    SeparatorGuard(RegionalSettingsSource settings, MessageBoxFn showMessageBox,
                   QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    RegionalSettingsSource settings_;
    MessageBoxFn showMessageBox_;
};

} // namespace zelva
