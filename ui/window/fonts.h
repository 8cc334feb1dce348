// SPDX-License-Identifier: GPL-3.0-or-later
// The window's face. The form was drawn in "MS Sans Serif", which on Windows is
// a bitmap face in a few fixed sizes; its outline twin "Microsoft Sans Serif"
// draws it at every display scale. Elsewhere a metric-compatible outline face,
// where one is installed, takes its place, so every caption stays inside its
// control. Never fails; throws only std::bad_alloc.
#pragma once

#include <QList>
#include <QString>

class QWidget;

namespace zelva {

struct InstalledFace {
    QString family;
    bool scalable;  // drawn from outlines at any size, not from fixed bitmaps
};

// Of "Microsoft Sans Serif", "MS Sans Serif", "Liberation Sans" and "Arial", in
// that order, the first that is installed as an outline face; else the first
// installed at all; else "Microsoft Sans Serif".
QString chooseFormFace(const QList<InstalledFace>& installed);

// Gives the form the chosen face, bold, at 8.25 pt (a form file holds only whole
// points). Every control without a font of its own inherits it. Call before setupUi.
void applyFormFont(QWidget& form);

} // namespace zelva
