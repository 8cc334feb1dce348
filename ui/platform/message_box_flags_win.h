// SPDX-License-Identifier: GPL-3.0-or-later
// Windows only: the MessageBoxW flags of each message style, the box's modality
// aside. Pure; never throws.
#pragma once

#include "calc/message_box.h"

namespace zelva {

unsigned int messageBoxFlags(MessageStyle style);

} // namespace zelva
