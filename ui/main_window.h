// Placeholder until the window lands.
#pragma once

#include <QWidget>

#include "ui_Form1.h"

namespace zelva {

class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);

private:
    Ui::Form1 ui;
};

} // namespace zelva
