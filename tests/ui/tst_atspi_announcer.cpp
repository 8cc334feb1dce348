// SPDX-License-Identifier: GPL-3.0-or-later
// The announcer where AT-SPI carries it: an object in the role of a
// notification, the window's own, named with the text.
#include <QAccessible>
#include <QtTest>

#include "tests/ui/fake_seams.h"
#include "ui/accessibility/announcer.h"
#include "ui/window/main_window.h"

using namespace zelva;
using namespace zelva::test;

class TestAtspiAnnouncer : public QObject {
    Q_OBJECT

private slots:
    void announcementIsANotificationOfTheWindow();
};

void TestAtspiAnnouncer::announcementIsANotificationOfTheWindow()
{
    FakeSeams fake;
    MainWindow window(fake.seams());
    Announcer announcer(window);
    announcer.announce("Distanza Km 2,5");

    // Orca speaks an object in the role of a notification when it is shown;
    // it must be the window's, with the text as its name.
    QAccessibleInterface* form = QAccessible::queryAccessibleInterface(&window);
    QAccessibleInterface* notice = nullptr;
    for (int i = 0; i < form->childCount(); ++i)
        if (form->child(i)->role() == QAccessible::Notification)
            notice = form->child(i);
    QVERIFY(notice);
    QCOMPARE(notice->text(QAccessible::Name), QStringLiteral("Distanza Km 2,5"));
    QCOMPARE(notice->parent(), form);
    QCOMPARE(form->indexOfChild(notice), form->childCount() - 1);
}

QTEST_MAIN(TestAtspiAnnouncer)
#include "tst_atspi_announcer.moc"
