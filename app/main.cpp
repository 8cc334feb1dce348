#include <QApplication>

#include "ui/fonts.h"
#include "ui/main_window.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    zelva::installFontSubstitutes();
    zelva::MainWindow window;
    window.show();
    return app.exec();
}
