// SPDX-License-Identifier: GPL-3.0-or-later
// The real QMessageBox and QFileDialog behind the window's seams, answered from
// a timer through key presses as a user would. Run with LC_ALL=it_IT.UTF-8, for
// Qt's own Italian captions.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCompleter>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QAccessible>
#include <QLabel>
#include <QtTest>

#include "tests/support/window_cells.h"
#include "tests/ui/fake_seams.h"
#include "ui/platform/report_save_dialog.h"
#include "ui/platform/system_message_box.h"
#include "ui/platform/translations.h"
#include "ui/window/main_window.h"

using namespace zelva;
using namespace zelva::test;

Q_DECLARE_METATYPE(QMessageBox::Icon)

namespace {

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString iconName;  // as a screen reader has it
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// Notes what the open box shows, then presses `key` on it.
void answerBox(QObject* context, SeenBox* seen, Qt::Key key)
{
    whenModalOpens(context, [seen, key](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            seen->title = box->windowTitle();
            seen->text = box->text();
            seen->icon = box->icon();
            if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label")))
                seen->iconName = QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
            seen->buttons = box->standardButtons();
            if (box->defaultButton())
                seen->defaultButton = box->standardButton(box->defaultButton());
        }
        QTest::keyClick(modal, key);
    });
}

// Waits for the save dialog to take input, then types into its name field.
void answerFileDialog(QObject* context, QString* offered, const QString& typed, Qt::Key key)
{
    whenModalOpens(context, [offered, typed, key](QWidget* modal) {
        QVERIFY(QTest::qWaitForWindowActive(modal));
        QTest::qWait(20);
        auto* name = modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(name);
        *offered = name->text();
        if (!typed.isNull()) {
            name->clear();
            QTest::keyClicks(name, typed);
        }
        QTest::keyClick(name, key);
    });
}

bool createEmptyFile(const QString& path)
{
    return QFile(path).open(QIODevice::WriteOnly);
}

} // namespace

class TestQtDialogs : public QObject {
    Q_OBJECT

private slots:
    void messageBox_data();
    void messageBox();
    void warningBoxThenCharacterTyped();
    void saveDialogSettings();
    void saveDialogChoosesAndRemembers();
    void saveDialogCancel();
    void saveDialogClosesItsSuggestionList();
    void cancelCaptionInItalian();
};

void TestQtDialogs::messageBox_data()
{
    QTest::addColumn<MessageStyle>("style");
    QTest::addColumn<int>("key");
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<QMessageBox::Icon>("icon");
    QTest::addColumn<bool>("hasCancel");

    const auto ok = MessageAnswer::Ok;
    const auto question = MessageStyle::OkCancelQuestion;
    QTest::newRow("plain Enter") << MessageStyle::Plain << int(Qt::Key_Enter) << ok
                                 << QMessageBox::NoIcon << false;
    QTest::newRow("plain Escape") << MessageStyle::Plain << int(Qt::Key_Escape) << ok
                                  << QMessageBox::NoIcon << false;
    QTest::newRow("error Enter") << MessageStyle::Error << int(Qt::Key_Enter) << ok
                                 << QMessageBox::Critical << false;
    QTest::newRow("question Enter is OK") << question << int(Qt::Key_Enter) << ok
                                          << QMessageBox::Question << true;
    QTest::newRow("question Return is OK") << question << int(Qt::Key_Return) << ok
                                           << QMessageBox::Question << true;
    QTest::newRow("question Escape is Cancel") << question << int(Qt::Key_Escape)
                                               << MessageAnswer::Cancel << QMessageBox::Question
                                               << true;
}

void TestQtDialogs::messageBox()
{
    QFETCH(MessageStyle, style);
    QFETCH(int, key);
    QFETCH(MessageAnswer, answer);
    QFETCH(QMessageBox::Icon, icon);
    QFETCH(bool, hasCancel);
    QWidget owner;
    owner.show();
    SeenBox seen;
    bool stray = false;
    answerBox(&owner, &seen, Qt::Key(key));
    rejectStrayModals(&owner, &stray);

    // Markup in a prompt must be shown as typed, not interpreted.
    QCOMPARE(showSystemMessageBox(&owner, "Uscire dal progamma <b>", style), answer);

    QVERIFY(!stray);
    QCOMPARE(seen.title, QStringLiteral("Zelvamirontica"));
    QCOMPARE(seen.text, QStringLiteral("Uscire dal progamma <b>"));
    QCOMPARE(seen.icon, icon);
    // Regression: the icon was an image without a name.
    QCOMPARE(seen.iconName.isEmpty(), icon == QMessageBox::NoIcon);
    const QMessageBox::StandardButtons buttons =
        hasCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::StandardButtons(QMessageBox::Ok);
    QCOMPARE(seen.buttons, buttons);
    QCOMPARE(seen.defaultButton, QMessageBox::Ok);
}

void TestQtDialogs::warningBoxThenCharacterTyped()
{
    WindowSeams seams;
    seams.settings = [] { return kComma; };
    MainWindow window(std::move(seams));
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QLineEdit* cell = cellOf(window, Cell::Latitude1);
    cell->setFocus();
    SeenBox seen;
    bool stray = false;
    answerBox(&window, &seen, Qt::Key_Enter);
    rejectStrayModals(&window, &stray);

    QTest::keyClicks(cell, QStringLiteral("4."));

    QVERIFY(!stray);
    QCOMPARE(seen.text, QStringLiteral("Utilizzare la VIRGOLA come separatore decimale"));
    QCOMPARE(seen.icon, QMessageBox::NoIcon);
    QCOMPARE(cell->text(), QStringLiteral("4."));
}

void TestQtDialogs::saveDialogSettings()
{
    QWidget owner;
    ReportSaveDialog commonDialog1(&owner);
    QString offered;
    answerFileDialog(&owner, &offered, QString(), Qt::Key_Escape);
    QCOMPARE(commonDialog1.ask(), std::optional<std::string>());

    auto* dialog = owner.findChild<QFileDialog*>(QStringLiteral("CommonDialog1"));
    QVERIFY(dialog);
    QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
    QCOMPARE(dialog->nameFilters(), QStringList{QStringLiteral("*.TXT")});
    QCOMPARE(dialog->defaultSuffix(), QString());
    // The file written is the name + ".TXT", so a question about the name shown
    // would be about the wrong file.
    QVERIFY(dialog->testOption(QFileDialog::DontConfirmOverwrite));
}

void TestQtDialogs::saveDialogChoosesAndRemembers()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    // An existing file of the typed name must not stop the dialog with a question.
    QVERIFY(createEmptyFile(folder.filePath(QStringLiteral("viaggio"))));
    QWidget owner;
    ReportSaveDialog commonDialog1(&owner);
    bool stray = false;

    QString offered;
    answerFileDialog(&owner, &offered, folder.filePath(QStringLiteral("viaggio")), Qt::Key_Return);
    rejectStrayModals(&owner, &stray);
    const auto first = commonDialog1.ask();
    QVERIFY(!stray);
    QVERIFY(first);
    QCOMPARE(QDir::fromNativeSeparators(QString::fromStdString(*first)),
             folder.filePath(QStringLiteral("viaggio")));

    answerFileDialog(&owner, &offered, QString(), Qt::Key_Return);
    rejectStrayModals(&owner, &stray);
    const auto second = commonDialog1.ask();
    QVERIFY(!stray);
    QCOMPARE(offered, QStringLiteral("viaggio"));
    QCOMPARE(second, first);
}

void TestQtDialogs::saveDialogCancel()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QWidget owner;
    ReportSaveDialog commonDialog1(&owner);
    bool stray = false;
    QString offered;
    answerFileDialog(&owner, &offered, folder.filePath(QStringLiteral("scartato")), Qt::Key_Escape);
    rejectStrayModals(&owner, &stray);

    QCOMPARE(commonDialog1.ask(), std::optional<std::string>());
    QVERIFY(!stray);
    QVERIFY(QDir(folder.path()).isEmpty());
}

void TestQtDialogs::saveDialogClosesItsSuggestionList()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    // An earlier report: the dialog lists only names that end in .TXT.
    QVERIFY(createEmptyFile(folder.filePath(QStringLiteral("viaggio.TXT"))));
    QWidget owner;
    owner.show();
    ReportSaveDialog commonDialog1(&owner);
    bool stray = false;
    bool listShown = false;
    whenModalOpens(&owner, [&](QWidget* modal) {
        QVERIFY(QTest::qWaitForWindowActive(modal));
        auto* name = modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(name);
        name->clear();
        QTest::keyClicks(name, folder.filePath(QStringLiteral("v")));
        QTest::qWait(300);  // the folder is read in the background
        QTest::keyClicks(name, QStringLiteral("ia"));
        listShown = QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }, 2000);
        // Enter goes where a user's key goes: to the open list.
        QWidget* target = QApplication::activePopupWidget();
        QTest::keyClick(target ? target : name, Qt::Key_Return);
    });
    rejectStrayModals(&owner, &stray);

    QVERIFY(commonDialog1.ask());
    QVERIFY(!stray);
    QVERIFY(listShown);
    // Regression: the list stayed open over the window and ate the next click.
    QCOMPARE(QApplication::activePopupWidget(), nullptr);
}

void TestQtDialogs::cancelCaptionInItalian()
{
    QVERIFY(installQtTranslations(*QCoreApplication::instance()));
    QWidget owner;
    owner.show();
    QString ok;
    QString cancel;
    whenModalOpens(&owner, [&ok, &cancel](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        ok = box->button(QMessageBox::Ok)->text();
        cancel = box->button(QMessageBox::Cancel)->text();
        QTest::keyClick(modal, Qt::Key_Escape);
    });

    QCOMPARE(showSystemMessageBox(&owner, "Uscire dal progamma", MessageStyle::OkCancelQuestion),
             MessageAnswer::Cancel);
    QCOMPARE(cancel.remove(u'&'), QStringLiteral("Annulla"));
    QCOMPARE(ok.remove(u'&'), QStringLiteral("OK"));
}

QTEST_MAIN(TestQtDialogs)
#include "tst_qt_dialogs.moc"
