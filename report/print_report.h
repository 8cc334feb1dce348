// SPDX-License-Identifier: GPL-3.0-or-later
// The "Stampa" action: asks for a file name, writes the 22-line report to that
// name + ".TXT" in the system's ANSI code page with CR LF, replacing any earlier
// file atomically. Cancel is silent; a failed write shows one error box and
// leaves the old file intact. Throws only std::bad_alloc, and what the two
// seams throw.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "calc/field_table.h"
#include "calc/message_box.h"

namespace zelva {

// The save dialog: the full path the user chose (UTF-8), or nullopt when cancelled.
using SaveDialogFn = std::function<std::optional<std::string>()>;

void printReport(const FieldTable& cells, const SaveDialogFn& askFileName,
                 const MessageBoxFn& showMessageBox);

} // namespace zelva
