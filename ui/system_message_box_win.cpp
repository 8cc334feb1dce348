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
    const int answer = MessageBoxW(ownerWindow, text.c_str(), title.c_str(), flags);
    // A box with OK alone answers OK however it is closed (Wine says IDCANCEL
    // for Esc there). With a Cancel button only OK itself confirms: Esc, the
    // close box, or a box that could not be shown (0) must not count as consent.
    if (style != MessageStyle::OkCancelQuestion || answer == IDOK)
        return MessageAnswer::Ok;
    return MessageAnswer::Cancel;
}

} // namespace zelva
