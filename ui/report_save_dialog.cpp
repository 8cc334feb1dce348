#include "ui/report_save_dialog.h"

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
