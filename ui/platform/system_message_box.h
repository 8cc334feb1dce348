// SPDX-License-Identifier: GPL-3.0-or-later
// The system's message box, titled "Zelvamirontica", owned by `owner`'s window
// and modal to the application, showing the prompt as plain text: on Windows
// the system's own box with the style's flags, elsewhere a QMessageBox.
// Plain: OK, no icon; Error: OK, stop icon; OkCancelQuestion: OK and Cancel,
// question icon, OK default, Esc and the close box give Cancel. Throws only
// std::bad_alloc.
#pragma once

#include <string_view>

#include "calc/message_box.h"

class QWidget;

namespace zelva {

MessageAnswer showSystemMessageBox(QWidget* owner, std::string_view prompt, MessageStyle style);

} // namespace zelva
