#include "ui/fonts.h"

#include <QFont>
#include <QStringList>

namespace zelva {

void installFontSubstitutes()
{
    // fontconfig's own fallback for the face is DejaVu Sans, about 12% wider,
    // which clips the captions that were sized for the original face.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
}

} // namespace zelva
