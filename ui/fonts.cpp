// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace zelva {

namespace {

QString formFontFamily()
{
    // fontconfig's own stand-in for the face is DejaVu Sans, about 12% wider,
    // which clips the captions sized for the original.
    const QString faces[] = {QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                             QStringLiteral("Arial")};
    const QStringList installed = QFontDatabase::families();
    for (const QString& face : faces) {
        if (installed.contains(face, Qt::CaseInsensitive))
            return face;
    }
    return faces[0];
}

} // namespace

void applyFormFont(QWidget& form)
{
    // The face is asked for by the name it is installed under: a family the system
    // lacks sends each size of it through fontconfig's fallback sort of every
    // installed font, about a millisecond of start-up apiece. The controls lay out
    // their text as setupUi creates them, so the face is set before that.
    QFont font(formFontFamily());
    font.setPointSizeF(8.25);
    font.setBold(true);
    form.setFont(font);
}

} // namespace zelva
