// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QString>
#include <QTranslator>

namespace zelva {

bool installQtTranslations(QCoreApplication& app)
{
    auto* translator = new QTranslator(&app);
    const QLocale locale = QLocale::system();
    // Qt's installed folder first; a deployed copy beside the program second;
    // last the copy built into a self-contained Windows exe.
    const QString folders[] = {
        QLibraryInfo::path(QLibraryInfo::TranslationsPath),
        QCoreApplication::applicationDirPath() + QStringLiteral("/translations"),
        QStringLiteral(":/translations"),
    };
    for (const QString& folder : folders) {
        if (translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), folder))
            return QCoreApplication::installTranslator(translator);
    }
    delete translator;
    return false;
}

} // namespace zelva
