#include "ui/main_window.h"

namespace zelva {

MainWindow::MainWindow(QWidget* parent) : QWidget(parent)
{
    ui.setupUi(this);
}

} // namespace zelva
