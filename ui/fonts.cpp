// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>
#include <QWidget>

namespace zelva {

namespace {

// Liberation Sans and Arial share their widths; fontconfig's own stand-in for an
// absent face is DejaVu Sans, about 12% wider, which clips the captions.
const QStringList& candidateFaces()
{
    static const QStringList faces = {
        QStringLiteral("Microsoft Sans Serif"), QStringLiteral("MS Sans Serif"),
        QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
    };
    return faces;
}

} // namespace

QString chooseFormFace(const QList<InstalledFace>& installed)
{
    const auto find = [&installed](const QString& face, bool mustScale) {
        for (const InstalledFace& candidate : installed) {
            if (candidate.family.compare(face, Qt::CaseInsensitive) == 0
                && (candidate.scalable || !mustScale))
                return true;
        }
        return false;
    };
    for (bool mustScale : {true, false}) {
        for (const QString& face : candidateFaces()) {
            if (find(face, mustScale))
                return face;
        }
    }
    return candidateFaces().front();
}

void applyFormFont(QWidget& form)
{
    // The face is asked for by the name it is installed under: a family the system
    // lacks sends each size of it through fontconfig's fallback sort of every
    // installed font, about a millisecond of start-up apiece. A bitmap face comes
    // out in another weight, or in another face, at each display scale.
    // hasFamily() would resolve aliases, and through them find every name.
    const QStringList families = QFontDatabase::families();
    QList<InstalledFace> installed;
    for (const QString& face : candidateFaces()) {
        if (families.contains(face, Qt::CaseInsensitive))
            installed.push_back({face, QFontDatabase::isSmoothlyScalable(face)});
    }
    QFont font(chooseFormFace(installed));
    font.setPointSizeF(8.25);
    font.setBold(true);
    form.setFont(font);
}

} // namespace zelva
