// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window.h"

#include <array>
#include <string_view>
#include <utility>

#include <QIcon>
#include <QLineEdit>
#include <QPushButton>

#include "calc/decimal_separator.h"
#include "calc/distance_speed.h"
#include "calc/sexagesimal.h"
#include "calc/message_box.h"
#include "ui/fonts.h"
#include "ui/high_contrast.h"
#include "ui/light_palette.h"
#include "ui/load_form.h"
#include "ui/one_line_validator.h"
#include "ui/system_message_box.h"
#include "ui/separator_guard.h"
#include "ui/system_settings.h"

#include "ui_Form1.h"

namespace zelva {

namespace {

// Text12, Text13 and Text14 (hours and the second fix's minutes) and the result
// cells other than Text9 are not guarded.
constexpr std::array<Cell, 20> kGuardedCells = {
    Cell::Latitude1, Cell::Longitude1, Cell::Latitude2, Cell::Longitude2, Cell::Seconds1,
    Cell::Seconds2, Cell::SpeedKmh, Cell::Minutes1,
    Cell::Latitude1Degrees, Cell::Latitude1Minutes, Cell::Latitude1Seconds,
    Cell::Longitude1Degrees, Cell::Longitude1Minutes, Cell::Longitude1Seconds,
    Cell::Latitude2Degrees, Cell::Latitude2Minutes, Cell::Latitude2Seconds,
    Cell::Longitude2Degrees, Cell::Longitude2Minutes, Cell::Longitude2Seconds,
};

} // namespace

MainWindow::MainWindow(WindowSeams seams, QWidget* parent)
    : QWidget(parent),
      ui_(std::make_unique<Ui::Form1>()),
      commonDialog1_(this),
      settings_(std::move(seams.settings)),
      showMessageBox_(std::move(seams.messageBox)),
      askFileName_(std::move(seams.saveDialog))
{
    if (!settings_)
        settings_ = systemNumberFormat;
    if (!showMessageBox_)
        showMessageBox_ = [this](std::string_view prompt, MessageStyle style) {
            return showSystemMessageBox(this, prompt, style);
        };
    if (!askFileName_)
        askFileName_ = [this] { return commonDialog1_.ask(); };

    setUpForm();
    cells_.emplace(*this);

    // Fixed size: minimise and close, no maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);

    connect(ui_->Command1, &QPushButton::clicked, this, &MainWindow::computeResults);
    connect(ui_->Command2, &QPushButton::clicked, this, &MainWindow::askToExit);
    connect(ui_->Command3, &QPushButton::clicked, this, &MainWindow::saveReport);
    connect(ui_->Command4, &QPushButton::clicked, this, &MainWindow::convertPositions);

    auto* oneLine = new OneLineValidator(this);
    for (const CellInfo& info : kCells)
        cells_->widget(info.cell)->setValidator(oneLine);

    auto* guard = new SeparatorGuard(settings_, showMessageBox_, this);  // a child: owned by the window
    for (Cell cell : kGuardedCells)
        cells_->widget(cell)->installEventFilter(guard);

    loadForm(*cells_, detectDecimalSeparator(settings_()), *ui_->Label12, *ui_->Label13);
    ui_->Text1->setFocus();
}

MainWindow::~MainWindow() = default;

void MainWindow::setUpForm()
{
    applyFormFont(*this);
    ui_->setupUi(this);
    // The window is Italian and laid out left to right on every system; only
    // Qt's own boxes and dialogs follow a right-to-left system language.
    setLayoutDirection(Qt::LeftToRight);
    applyFormColours(*this, systemHighContrast());
    // A form holds one image per icon state; the 16 px drawing is sharper in the
    // title bar and task bar than the 32 px one scaled down.
    QIcon icon = windowIcon();
    icon.addFile(QStringLiteral(":/icons/zelvamirontica-16.png"), QSize(16, 16));
    setWindowIcon(icon);
}

void MainWindow::computeResults()
{
    computeDistanceAndSpeed(*cells_, settings_, showMessageBox_);
}

void MainWindow::convertPositions()
{
    convertSexagesimal(*cells_, settings_);
}

void MainWindow::saveReport()
{
    printReport(*cells_, askFileName_, showMessageBox_);
}

void MainWindow::askToExit()
{
    if (confirmExit(showMessageBox_))
        close();
}

} // namespace zelva
