// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/translations.h"

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
    // Qt's installed folder first, then a deployed copy beside the program, in
    // the system's language.
    const QString folders[] = {
        QLibraryInfo::path(QLibraryInfo::TranslationsPath),
        QCoreApplication::applicationDirPath() + QStringLiteral("/translations"),
    };
    for (const QString& folder : folders) {
        if (translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), folder))
            return QCoreApplication::installTranslator(translator);
    }
    // Last, the copy built into the self-contained Windows exe: in the window's
    // own language, Italian, like every caption around it.
    if (translator->load(QStringLiteral(":/translations/qtbase_it.qm")))
        return QCoreApplication::installTranslator(translator);
    delete translator;
    return false;
}

} // namespace zelva
