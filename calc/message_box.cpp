// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/message_box.h"

namespace zelva {

bool confirmExit(const MessageBoxFn& showMessageBox)
{
    return showMessageBox(kExitPrompt, MessageStyle::OkCancelQuestion) == MessageAnswer::Ok;
}

} // namespace zelva
