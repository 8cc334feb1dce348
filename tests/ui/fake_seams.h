// SPDX-License-Identifier: GPL-3.0-or-later
// Test doubles for the window's seams: fixed regional settings (see
// tests/test_formats.h), a message box that records what it was asked and answers
// as told, a save dialog that counts its calls and returns a set path, and a
// screen reader that keeps what it was told.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QApplication>
#include <QDialog>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>

#include "tests/test_formats.h"
#include "ui/window/main_window.h"

Q_DECLARE_METATYPE(zelva::MessageStyle)
Q_DECLARE_METATYPE(zelva::MessageAnswer)

namespace zelva::test {

struct Prompt {
    QString text;
    MessageStyle style;
};

struct FakeSeams {
    NumberFormat format = kPoint;
    MessageAnswer answer = MessageAnswer::Ok;
    std::optional<std::string> chosenPath;
    std::vector<Prompt> prompts;
    int dialogCalls = 0;
    std::vector<QString> announcements;

    WindowSeams seams()
    {
        return WindowSeams{
            [this] { return format; },
            [this](std::string_view prompt, MessageStyle style) {
                prompts.push_back({QString::fromUtf8(prompt.data(), qsizetype(prompt.size())),
                                   style});
                return answer;
            },
            [this] {
                ++dialogCalls;
                return chosenPath;
            },
            [this](std::string_view text) {
                announcements.push_back(QString::fromUtf8(text.data(), qsizetype(text.size())));
            },
        };
    }
};

// Runs `answer` on the first modal widget to open, polling from the event loop.
// The context object stops the timer once the test that armed it is gone.
inline void whenModalOpens(QObject* context, std::function<void(QWidget*)> answer,
                           int triesLeft = 300)
{
    QTimer::singleShot(10, context, [context, answer, triesLeft] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            answer(modal);
            return;
        }
        if (triesLeft > 0)
            whenModalOpens(context, answer, triesLeft - 1);
    });
}

// Rejects any modal dialog still open after `ms`, so a box that a test fails to
// answer ends the test with a failed check instead of hanging it.
inline void rejectStrayModals(QObject* context, bool* strayFound, int ms = 5000)
{
    QTimer::singleShot(ms, context, [strayFound] {
        while (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            *strayFound = true;
            dialog->reject();
        }
    });
}

} // namespace zelva::test
