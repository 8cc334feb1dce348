// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/report_save_dialog.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QDir>
#include <QFileDialog>
#include <QStringList>

namespace zelva {

ReportSaveDialog::ReportSaveDialog(QWidget* parent) : parent_(parent) {}

ReportSaveDialog::~ReportSaveDialog()
{
    delete dialog_.data();
}

QFileDialog& ReportSaveDialog::dialog()
{
    if (!dialog_) {
        dialog_ = new QFileDialog(parent_);
        dialog_->setObjectName(QStringLiteral("CommonDialog1"));
        // Native dialogs may append the filter's extension on their own, which
        // would turn the report into name.TXT.TXT.
        dialog_->setOption(QFileDialog::DontUseNativeDialog);
        dialog_->setOption(QFileDialog::DontConfirmOverwrite);
        dialog_->setAcceptMode(QFileDialog::AcceptSave);
        dialog_->setFileMode(QFileDialog::AnyFile);
        dialog_->setNameFilter(QStringLiteral("*.TXT"));
        dialog_->setDefaultSuffix(QString());
        // Qt leaves the name field's list of suggestions open when Enter accepts
        // the dialog while the list shows; it would float over the window and
        // swallow the next click or key.
        QObject::connect(dialog_, &QDialog::finished, dialog_, [box = dialog_.data()] {
            for (QCompleter* completer : box->findChildren<QCompleter*>())
                completer->popup()->hide();
        });
    }
    return *dialog_;
}

std::optional<std::string> ReportSaveDialog::ask()
{
    QFileDialog& box = dialog();
    if (!lastChosen_.isEmpty())
        box.selectFile(lastChosen_);
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = box.selectedFiles();
    if (chosen.isEmpty() || chosen.front().isEmpty())
        return std::nullopt;
    lastChosen_ = chosen.front();
    return QDir::toNativeSeparators(lastChosen_).toStdString();
}

} // namespace zelva
