// SPDX-License-Identifier: GPL-3.0-or-later
// CommonDialog1: the report's save dialog, the system's own on Windows and Qt's
// elsewhere. It presents "*.TXT", offers the last chosen name again, adds no
// extension of its own and asks no overwrite question, since the file written
// is the chosen name + ".TXT". ask() returns the chosen full path (UTF-8,
// native separators) or nullopt on Cancel, Esc or the close box. Throws only
// std::bad_alloc.
#pragma once

#include <memory>
#include <optional>
#include <string>

class QWidget;

namespace zelva {

class ReportSaveDialog {
public:
    // The dialog is owned by `parent`'s window (which may be null).
    explicit ReportSaveDialog(QWidget* parent);
    ~ReportSaveDialog();
    ReportSaveDialog(const ReportSaveDialog&) = delete;
    ReportSaveDialog& operator=(const ReportSaveDialog&) = delete;

    std::optional<std::string> ask();

private:
    struct State;  // each platform's own
    QWidget* parent_;
    std::unique_ptr<State> state_;
};

} // namespace zelva
