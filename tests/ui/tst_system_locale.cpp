// SPDX-License-Identifier: GPL-3.0-or-later
// The real system path, run with LC_ALL=it_IT.UTF-8: Qt's locale gives the
// Italian separators, the window's default seams use them, and Qt's own Italian
// translation captions the cells' menu.
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include "tests/ui/fake_seams.h"
#include "ui/platform/system_settings.h"
#include "ui/platform/translations.h"
#include "ui/window/main_window.h"

using namespace zelva;
using namespace zelva::test;

class TestSystemLocale : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void separatorsFromTheSystem();
    void windowHintFromTheSystem();
    void cellMenuInItalian();
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

// The cells' own menu (Undo, Cut, Copy, Paste…) is Qt's on every platform.
void TestSystemLocale::cellMenuInItalian()
{
    QVERIFY(installQtTranslations(*QCoreApplication::instance()));
    QCOMPARE(QLineEdit::tr("&Undo"), QStringLiteral("Ann&ulla"));
    QCOMPARE(QLineEdit::tr("&Paste"), QStringLiteral("&Incolla"));
}

QTEST_MAIN(TestSystemLocale)
#include "tst_system_locale.moc"
