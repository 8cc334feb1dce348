// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window/main_window.h"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "calc/decimal_separator.h"
#include "calc/distance_speed.h"
#include "calc/message_box.h"
#include "calc/sexagesimal.h"
#include "ui/accessibility/accessible_form.h"
#include "ui/accessibility/focus_first_echo.h"
#include "ui/accessibility/spoken_form.h"
#include "ui/platform/high_contrast.h"
#include "ui/platform/system_message_box.h"
#include "ui/platform/system_settings.h"
#include "ui/platform/utf8.h"
#include "ui/window/enter_clicks_button.h"
#include "ui/window/fonts.h"
#include "ui/window/light_palette.h"
#include "ui/window/load_form.h"
#include "ui/window/one_line_validator.h"
#include "ui/window/separator_guard.h"

#include "ui_Form1.h"

namespace zelva {

MainWindow::MainWindow(WindowSeams seams, QWidget* parent)
    : QWidget(parent),
      ui_(std::make_unique<Ui::Form1>()),
      saveDialog_(this),
      announcer_(*this),
      settings_(std::move(seams.settings)),
      showMessageBox_(std::move(seams.messageBox)),
      askFileName_(std::move(seams.saveDialog)),
      announce_(std::move(seams.announce))
{
    installAccessibleForm<MainWindow>();  // before the form's widgets are first presented
    new FocusFirstEcho(this);              // a child: goes with the window

    if (!settings_)
        settings_ = systemNumberFormat;
    if (!showMessageBox_)
        showMessageBox_ = [this](std::string_view prompt, MessageStyle style) {
            return showSystemMessageBox(this, prompt, style);
        };
    if (!askFileName_)
        askFileName_ = [this] { return saveDialog_.ask(); };
    if (!announce_)
        announce_ = [this](std::string_view text) { announcer_.announce(text); };

    setUpForm();
    cells_.emplace(*this);

    // Fixed size: minimise and close, no maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);

    auto* enter = new EnterClicksButton(this);
    for (auto [button, action] : {std::pair(controls_.calculate, &MainWindow::computeResults),
                                  std::pair(controls_.exit, &MainWindow::askToExit),
                                  std::pair(controls_.print, &MainWindow::saveReport),
                                  std::pair(controls_.convert, &MainWindow::convertPositions)}) {
        connect(button, &QPushButton::clicked, this, action);
        button->installEventFilter(enter);
    }

    auto* oneLine = new OneLineValidator(this);
    for (const CellInfo& info : kCells)
        cells_->widget(info.cell)->setValidator(oneLine);

    auto* guard = new SeparatorGuard(settings_, showMessageBox_, this);  // a child: owned by the window
    for (Cell cell : kGuardedCells)
        cells_->widget(cell)->installEventFilter(guard);

    const DecimalSeparator separator = detectDecimalSeparator(settings_());
    loadForm(*cells_, separator, *controls_.hintTop, *controls_.hintBottom);
    const auto hint = separatorHint(separator);
    describeForm(hint ? fromUtf8(std::string(hint->top) + " " + std::string(hint->bottom) + ".") : QString());
    cells_->widget(Cell::Latitude1)->setFocus();
}

MainWindow::~MainWindow() = default;

void MainWindow::setUpForm()
{
    applyFormFont(*this);
    ui_->setupUi(this);
    // The one place that names the buttons, hint labels and frames by control.
    controls_ = {ui_->Command1, ui_->Command2, ui_->Command3, ui_->Command4,
                 ui_->Label12, ui_->Label13, ui_->Frame1, ui_->Frame2};
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

void MainWindow::describeForm(const QString& hint)
{
    // Read out when the window opens, and with every cell that the hint concerns.
    // Run once: each cell's description in the form becomes the spoken one.
    setAccessibleDescription(hint);
    for (const CellInfo& info : kCells) {
        QLineEdit* cell = cells_->widget(info.cell);
        const bool guarded
            = std::find(kGuardedCells.begin(), kGuardedCells.end(), info.cell) != kGuardedCells.end();
        cell->setAccessibleDescription(spokenDescription(*cell, guarded ? hint : QString()));
    }
    // A screen reader names a cell by the caption it is labelled by, so each
    // caption carries the cell's full name: "NORD" alone would not tell the
    // first fix from the second.
    for (QLabel* caption : findChildren<QLabel*>())
        if (QWidget* cell = caption->buddy())
            caption->setAccessibleName(cell->accessibleName());
}

void MainWindow::announceValues(const QGroupBox& frame, std::span<const Cell> cells, const QString& between)
{
    std::vector<QLineEdit*> widgets;
    for (Cell cell : cells)
        widgets.push_back(cells_->widget(cell));
    announce_(spokenValues(frame.title(), widgets, between).toStdString());
}

void MainWindow::computeResults()
{
    // The results in reading order. A name and its value are told apart by the
    // pause of a blank, as the unit ends each name.
    static constexpr std::array kResults = {Cell::DistanceKm, Cell::DistanceM, Cell::SpeedMs,
                                            Cell::Interval, Cell::SpeedKmh};
    // Refused for empty input, it has written nothing and there is nothing new to tell.
    if (computeDistanceAndSpeed(*cells_, settings_, showMessageBox_))
        announceValues(*controls_.results, kResults, QStringLiteral(" "));
}

void MainWindow::convertPositions()
{
    convertSexagesimal(*cells_, settings_);
    // "posizione 1" ends each name, so a colon keeps the number apart from the value.
    std::array<Cell, kSexagesimalRows.size()> positions{};
    std::transform(kSexagesimalRows.begin(), kSexagesimalRows.end(), positions.begin(),
                   [](const SexagesimalCells& row) { return row.decimal; });
    announceValues(*controls_.positions, positions, QStringLiteral(": "));
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
