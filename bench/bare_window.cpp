// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up baseline: the least a Qt Widgets program does to show a window
// of the program's size with one line of text in the face and size the program's
// window draws in, so it pays for the platform plugin, the style and the font
// database just as the program does.
#include <QApplication>
#include <QFont>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Coordinate"));
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(8.25);
    font.setBold(true);
    label.setFont(font);
    label.setFixedSize(861, 368);
    label.show();
    return app.exec();
}
