// SPDX-License-Identifier: GPL-3.0-or-later
// The message box on Qt: a modal QMessageBox titled "Zelvamirontica" showing the
// prompt as plain text. Plain: OK, no icon; Error: OK, critical icon;
// OkCancelQuestion: OK and Cancel, question icon, OK default, Esc and the close
// button give Cancel. Never throws.
#pragma once

#include <string_view>

#include "calc/message_box.h"

class QWidget;

namespace zelva {

MessageAnswer showQtMessageBox(QWidget* parent, std::string_view prompt, MessageStyle style);

} // namespace zelva
