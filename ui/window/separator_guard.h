// SPDX-License-Identifier: GPL-3.0-or-later
// The decimal separator guard: watches key presses in the cells it is installed
// on and shows the separator warning for each, without changing or swallowing
// the typed character. Throws only std::bad_alloc and what the message box
// throws.
#pragma once

#include <array>

#include <QObject>

#include "calc/cell.h"

#include "calc/message_box.h"
#include "calc/regional_settings.h"

namespace zelva {

// The cells it watches. Text12, Text13 and Text14 (hours and the second fix's
// minutes) and the result cells other than the km/h speed are not guarded.
inline constexpr std::array<Cell, 20> kGuardedCells = {
    Cell::Latitude1, Cell::Longitude1, Cell::Latitude2, Cell::Longitude2, Cell::Seconds1,
    Cell::Seconds2, Cell::SpeedKmh, Cell::Minutes1,
    Cell::Latitude1Degrees, Cell::Latitude1Minutes, Cell::Latitude1Seconds,
    Cell::Longitude1Degrees, Cell::Longitude1Minutes, Cell::Longitude1Seconds,
    Cell::Latitude2Degrees, Cell::Latitude2Minutes, Cell::Latitude2Seconds,
    Cell::Longitude2Degrees, Cell::Longitude2Minutes, Cell::Longitude2Seconds,
};

// Event filter for the guarded cells: every key press that types a character asks the
// settings afresh, shows the warning with the plain style if there is one, and lets the
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
