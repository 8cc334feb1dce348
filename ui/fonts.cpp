// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/fonts.h"

#include <QFont>
#include <QStringList>
#include <QWidget>

namespace zelva {

void installFontSubstitutes()
{
    // fontconfig's own fallback for the face is DejaVu Sans, about 12% wider,
    // which clips the captions that were sized for the original face.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
}

void applyFormFontSize(QWidget& form)
{
    QFont font = form.font();
    font.setPointSizeF(8.25);
    form.setFont(font);
}

} // namespace zelva
