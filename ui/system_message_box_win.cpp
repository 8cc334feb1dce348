// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/system_message_box.h"

#include <windows.h>

#include <QString>
#include <QWidget>

#include "ui/utf8.h"

namespace zelva {

MessageAnswer showSystemMessageBox(QWidget* owner, std::string_view prompt, MessageStyle style)
{
    // The owner is disabled while the box is up, like the rest of the
    // application's windows with MB_APPLMODAL, and comes back to the front after.
    HWND ownerWindow = owner ? reinterpret_cast<HWND>(owner->window()->winId()) : nullptr;
    const std::wstring text = fromUtf8(prompt).toStdWString();
    const std::wstring title = fromUtf8(kProgramTitle).toStdWString();
    const UINT flags = static_cast<UINT>(style) | MB_APPLMODAL;
    // With a Cancel button, Esc and the close box answer IDCANCEL; a box that
    // could not be shown at all (0) must not count as consent either.
    switch (MessageBoxW(ownerWindow, text.c_str(), title.c_str(), flags)) {
    case IDOK:
        return MessageAnswer::Ok;
    case IDCANCEL:
        return MessageAnswer::Cancel;
    default:
        return style == MessageStyle::OkCancelQuestion ? MessageAnswer::Cancel : MessageAnswer::Ok;
    }
}

} // namespace zelva
