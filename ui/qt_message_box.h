// The message box on Qt: a modal QMessageBox titled "Zelvamirontica" showing the
// prompt as plain text. Style 0: OK, no icon; 16: OK, critical icon; 33: OK and
// Cancel, question icon, OK default, Esc and the close button give Cancel; any
// other style is shown like 0. Returns 1 for OK, 2 for Cancel. Never throws.
#pragma once

#include <string_view>

class QWidget;

namespace zelva {

int showQtMessageBox(QWidget* parent, std::string_view prompt, int style);

} // namespace zelva
