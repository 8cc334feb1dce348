// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>
#include <QWidget>

namespace zelva {

namespace {

// Liberation Sans and Arial share their widths; fontconfig's own stand-in for an
// absent face is DejaVu Sans, about 12% wider, which clips the captions.
constexpr QLatin1String kCandidateFaces[] = {
    QLatin1String("Microsoft Sans Serif"), QLatin1String("MS Sans Serif"),
    QLatin1String("Liberation Sans"), QLatin1String("Arial"),
};

} // namespace

QString chooseFormFace(const QList<InstalledFace>& installed)
{
    const auto find = [&installed](QLatin1String face, bool mustScale) {
        for (const InstalledFace& candidate : installed) {
            if (candidate.family.compare(face, Qt::CaseInsensitive) == 0
                && (candidate.scalable || !mustScale))
                return true;
        }
        return false;
    };
    for (bool mustScale : {true, false}) {
        for (QLatin1String face : kCandidateFaces) {
            if (find(face, mustScale))
                return QString(face);
        }
    }
    return QString(kCandidateFaces[0]);
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
    for (QLatin1String face : kCandidateFaces) {
        if (families.contains(face, Qt::CaseInsensitive))
            installed.push_back({QString(face), QFontDatabase::isSmoothlyScalable(QString(face))});
    }
    QFont font(chooseFormFace(installed));
    font.setPointSizeF(8.25);
    font.setBold(true);
    form.setFont(font);
}

} // namespace zelva
