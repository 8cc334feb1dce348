// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/system_message_box.h"

#include <QLabel>
#include <QMessageBox>
#include <QString>

#include "calc/message_box.h"
#include "ui/platform/utf8.h"

namespace zelva {

MessageAnswer showSystemMessageBox(QWidget* parent, std::string_view prompt, MessageStyle style)
{
    QMessageBox box(parent);
    box.setWindowTitle(fromUtf8(kProgramTitle));
    box.setTextFormat(Qt::PlainText);
    box.setText(fromUtf8(prompt));
    box.setWindowModality(Qt::ApplicationModal);

    QString iconName;
    switch (style) {
    case MessageStyle::Plain:
        box.setIcon(QMessageBox::NoIcon);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageStyle::Error:
        box.setIcon(QMessageBox::Critical);
        iconName = QStringLiteral("Errore");
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageStyle::OkCancelQuestion:
        box.setIcon(QMessageBox::Question);
        iconName = QStringLiteral("Domanda");
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    box.setDefaultButton(QMessageBox::Ok);
    // Qt leaves the icon an unnamed image, which a screen reader reads as
    // "image"; its name says what a sighted user reads from it.
    if (auto* icon = box.findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label")))
        icon->setAccessibleName(iconName);

    box.exec();
    // With a Cancel button, only OK itself confirms: a box closed any other way
    // must not count as consent to leave.
    if (box.button(QMessageBox::Cancel) && box.clickedButton() != box.button(QMessageBox::Ok))
        return MessageAnswer::Cancel;
    return MessageAnswer::Ok;
}

} // namespace zelva
