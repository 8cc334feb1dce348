// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>

#include <QApplication>
#include <QScreen>
#include <QStyle>

#include "app/display_check.h"
#include "ui/platform/translations.h"
#include "ui/window/main_window.h"

int main(int argc, char* argv[])
{
    // Qt aborts with a long plugin message when no display can be opened; one
    // line that names the way out is more useful.
    if (zelva::displayMissing()) {
        std::fputs("zelvamirontica: no display to open the window on (DISPLAY and "
                   "WAYLAND_DISPLAY are unset); try: xvfb-run -a zelvamirontica\n",
                   stderr);
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(ZELVA_VERSION));
    // Wayland compositors find the window's icon and name through this id.
    QGuiApplication::setDesktopFileName(QStringLiteral(ZELVA_APP_ID));
    // The native Windows style draws frame titles and button text in the theme's
    // colours and ignores the window's blue, red and dark red; Fusion honours
    // them and looks the same on every platform, the one the layout is measured in.
    QApplication::setStyle(QStringLiteral("Fusion"));
    zelva::installQtTranslations(app);

    zelva::MainWindow window;
    if (const QScreen* screen = window.screen())
        window.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window.size(),
                                               screen->availableGeometry()));
    window.show();
    return app.exec();
}
