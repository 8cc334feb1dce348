// SPDX-License-Identifier: GPL-3.0-or-later
// CommonDialog1: the report's save dialog, a Qt (non-native) QFileDialog kept for
// the life of its owner so it offers the last chosen name again. It presents the
// filter "*.TXT", adds no suffix and asks no overwrite question, since the file
// written is the chosen name + ".TXT". ask() returns the chosen full path (UTF-8,
// native separators) or nullopt on cancel. Never throws.
#pragma once

#include <optional>
#include <string>

#include <QPointer>
#include <QString>

class QFileDialog;
class QWidget;

namespace zelva {

class ReportSaveDialog {
public:
    // The dialog is created on first use, as a child of `parent` (which may be null).
    explicit ReportSaveDialog(QWidget* parent);
    ~ReportSaveDialog();
    ReportSaveDialog(const ReportSaveDialog&) = delete;
    ReportSaveDialog& operator=(const ReportSaveDialog&) = delete;

    std::optional<std::string> ask();

private:
    QFileDialog& dialog();

    QWidget* parent_;
    QPointer<QFileDialog> dialog_;
    QString lastChosen_;
};

} // namespace zelva
