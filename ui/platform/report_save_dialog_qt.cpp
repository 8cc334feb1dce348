// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/report_save_dialog.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QDir>
#include <QFileDialog>
#include <QPointer>
#include <QStringList>

namespace zelva {

struct ReportSaveDialog::State {
    QPointer<QFileDialog> dialog;  // kept, so it opens where it was left
    QString lastChosen;
};

namespace {

QFileDialog* createDialog(QWidget* parent)
{
    auto* dialog = new QFileDialog(parent);
    dialog->setObjectName(QStringLiteral("CommonDialog1"));
    // Qt's own dialog, the same on every desktop: the platform's dialogs may
    // append the filter's extension on their own, which would turn the report
    // into name.TXT.TXT.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setNameFilter(QStringLiteral("*.TXT"));
    dialog->setDefaultSuffix(QString());
    // Qt leaves the name field's list of suggestions open when Enter accepts
    // the dialog while the list shows; it would float over the window and
    // swallow the next click or key.
    QObject::connect(dialog, &QDialog::finished, dialog, [dialog] {
        for (QCompleter* completer : dialog->findChildren<QCompleter*>())
            completer->popup()->hide();
    });
    return dialog;
}

} // namespace

ReportSaveDialog::ReportSaveDialog(QWidget* parent) : parent_(parent), state_(std::make_unique<State>())
{
}

ReportSaveDialog::~ReportSaveDialog()
{
    delete state_->dialog.data();
}

std::optional<std::string> ReportSaveDialog::ask()
{
    if (!state_->dialog)
        state_->dialog = createDialog(parent_);
    QFileDialog& box = *state_->dialog;
    if (!state_->lastChosen.isEmpty())
        box.selectFile(state_->lastChosen);
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = box.selectedFiles();
    if (chosen.isEmpty() || chosen.front().isEmpty())
        return std::nullopt;
    state_->lastChosen = chosen.front();
    return QDir::toNativeSeparators(state_->lastChosen).toStdString();
}

} // namespace zelva
