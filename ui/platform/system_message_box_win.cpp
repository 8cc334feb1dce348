// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/system_message_box.h"

#include <QString>
#include <QWidget>

#include "ui/platform/message_box_flags_win.h"
#include "ui/platform/utf8.h"

#include <windows.h>

namespace zelva {

namespace {

MessageAnswer answerOf(MessageStyle style, int pressed)
{
    // A box with OK alone answers OK however it is closed (Wine says IDCANCEL
    // for Esc there).
    if (style != MessageStyle::OkCancelQuestion)
        return MessageAnswer::Ok;
    // With a Cancel button only OK itself confirms: Esc, the close box, or a
    // box that could not be shown (0) must not count as consent.
    return pressed == IDOK ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

} // namespace

unsigned int messageBoxFlags(MessageStyle style)
{
    switch (style) {
    case MessageStyle::Plain:
        return MB_OK;
    case MessageStyle::Error:
        return MB_OK | MB_ICONERROR;
    case MessageStyle::OkCancelQuestion:
        return MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON1;
    }
    return MB_OK;
}

MessageAnswer showSystemMessageBox(QWidget* owner, std::string_view prompt, MessageStyle style)
{
    // The owner is disabled while the box is up, like the rest of the
    // application's windows with MB_APPLMODAL, and comes back to the front after.
    HWND ownerWindow = owner ? reinterpret_cast<HWND>(owner->window()->winId()) : nullptr;
    const std::wstring text = fromUtf8(prompt).toStdWString();
    const std::wstring title = fromUtf8(kProgramTitle).toStdWString();
    const int pressed = MessageBoxW(ownerWindow, text.c_str(), title.c_str(),
                                    messageBoxFlags(style) | MB_APPLMODAL);
    return answerOf(style, pressed);
}

} // namespace zelva
