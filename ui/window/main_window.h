// SPDX-License-Identifier: GPL-3.0-or-later
// Form1, the program's one window. Data flow: the 29 QLineEdit cells are the only
// data; WidgetFieldTable exposes them as the core's FieldTable. A button's click
// runs one core action on that table (calculate: computeDistanceAndSpeed,
// convert: convertSexagesimal, print: printReport, exit: the exit question) with
// the seams below; the action reads cell texts, works on its own values and writes
// its results back into the cells, so the next action sees only cell texts. The
// Load handler (constructor) writes the separator hint and empties the cells;
// SeparatorGuard watches key presses in 20 cells. After a calculation or a
// conversion the new values are announced to the screen reader. May throw
// std::bad_alloc, and passes on what the seams it is given throw.
#pragma once

#include <memory>
#include <optional>
#include <span>

#include <QWidget>

#include "calc/message_box.h"
#include "calc/regional_settings.h"
#include "report/print_report.h"
#include "ui/accessibility/announcer.h"
#include "ui/platform/report_save_dialog.h"
#include "ui/window/widget_field_table.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace Ui {
class Form1;
}

namespace zelva {

// What the window needs from outside; an empty function means the real one:
// the system locale, the system's message box over this window, its save dialog,
// the screen reader.
struct WindowSeams {
    RegionalSettingsSource settings;
    MessageBoxFn messageBox;
    SaveDialogFn saveDialog;
    AnnounceFn announce;
};

// The form's buttons and separator hint by what they do.
struct FormControls {
    QPushButton* calculate;
    QPushButton* exit;
    QPushButton* print;
    QPushButton* convert;
    QLabel* hintTop;
    QLabel* hintBottom;
    QGroupBox* positions;
    QGroupBox* results;
};

class MainWindow final : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(WindowSeams seams = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

private:
    void setUpForm();
    void describeForm(const QString& hint);
    void announceValues(const QGroupBox& frame, std::span<const Cell> cells, const QString& between);
    void computeResults();
    void convertPositions();
    void saveReport();
    void askToExit();

    // Each member starts on its own; the constructor's body joins them, so
    // their order here does not matter.
    std::unique_ptr<Ui::Form1> ui_;
    std::optional<WidgetFieldTable> cells_;  // set once the form is set up
    FormControls controls_{};
    ReportSaveDialog saveDialog_;
    Announcer announcer_;
    RegionalSettingsSource settings_;
    MessageBoxFn showMessageBox_;
    SaveDialogFn askFileName_;
    AnnounceFn announce_;
};

} // namespace zelva
