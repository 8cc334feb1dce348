// SPDX-License-Identifier: GPL-3.0-or-later
// The real system path, run with LC_ALL=it_IT.UTF-8: Qt's locale gives the
// Italian separators, the window's default seams use them, and Qt's own Italian
// translation captions the Cancel button.
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include "tests/ui/fake_seams.h"
#include "ui/main_window.h"
#include "ui/system_message_box.h"
#include "ui/system_settings.h"
#include "ui/translations.h"

using namespace zelva;
using namespace zelva::test;

class TestSystemLocale : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void separatorsFromTheSystem();
    void windowHintFromTheSystem();
    void cancelCaptionInItalian();
};

void TestSystemLocale::initTestCase()
{
    if (qEnvironmentVariable("LC_ALL") != QStringLiteral("it_IT.UTF-8"))
        QSKIP("needs LC_ALL=it_IT.UTF-8 from the start of the process");
}

void TestSystemLocale::separatorsFromTheSystem()
{
    const NumberFormat format = systemNumberFormat();
    QCOMPARE(QString::fromStdString(format.decimalSeparator), QStringLiteral(","));
    QCOMPARE(QString::fromStdString(format.groupSeparator), QStringLiteral("."));
}

void TestSystemLocale::windowHintFromTheSystem()
{
    MainWindow window;
    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("Label12"))->text(),
             QStringLiteral("Utilizzare la VIRGOLA"));
}

void TestSystemLocale::cancelCaptionInItalian()
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

QTEST_MAIN(TestSystemLocale)
#include "tst_system_locale.moc"
