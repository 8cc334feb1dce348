// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader is given: the cells' text as one run and one line, the
// window's role and hint, the captions and descriptions of the cells, and what
// is announced after a calculation or a conversion.
#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "tests/support/window_cells.h"
#include "tests/ui/fake_seams.h"
#include "ui/window/main_window.h"

using namespace zelva;
using namespace zelva::test;

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void cellTextIsOneRunAndOneLine_data();
    void cellTextIsOneRunAndOneLine();
    void windowAndCellsAreDescribed_data();
    void windowAndCellsAreDescribed();
    void captionsLabelTheirCells();
    void newValuesAreAnnounced();
};

void TestAccessibility::cellTextIsOneRunAndOneLine_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("zero") << QStringLiteral("0");
    // Regression: every attribute run was empty, and Orca spoke "9,19" and then "9,1".
    QTest::newRow("comma") << QStringLiteral("9,19");
    QTest::newRow("long exponent") << QStringLiteral("-1,23456789012345E+300");
}

void TestAccessibility::cellTextIsOneRunAndOneLine()
{
    QFETCH(QString, text);
    FakeSeams fake;
    MainWindow window(fake.seams());
    QLineEdit* cell = cellOf(window, Cell::Latitude1);
    cell->setText(text);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(cell);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::EditableText);
    QCOMPARE(iface->text(QAccessible::Value), text);
    QAccessibleTextInterface* textIface = iface->textInterface();
    QVERIFY(textIface);
    QCOMPARE(textIface->characterCount(), int(text.size()));
    for (int offset = 0; offset <= text.size(); ++offset) {
        int start = -1, end = -1;
        textIface->attributes(offset, &start, &end);
        QCOMPARE(std::pair(start, end), std::pair(0, int(text.size())));
        start = end = -1;
        QCOMPARE(textIface->textAtOffset(offset, QAccessible::LineBoundary, &start, &end), text);
        QCOMPARE(std::pair(start, end), std::pair(0, int(text.size())));
    }
}

void TestAccessibility::windowAndCellsAreDescribed_data()
{
    QTest::addColumn<Cell>("cell");
    QTest::addColumn<QString>("begins");
    QTest::addColumn<bool>("hinted");
    QTest::newRow("latitude") << Cell::Latitude1
                              << QStringLiteral("Inserire la LATITUDINE in formato sessadecimale") << true;
    QTest::newRow("hours, not guarded") << Cell::Hours1 << QStringLiteral("Orario della posizione: ore") << false;
    QTest::newRow("distance") << Cell::DistanceKm << QStringLiteral("Risultato: distanza in chilometri") << false;
    QTest::newRow("speed km/h, a guarded result") << Cell::SpeedKmh
                                                  << QStringLiteral("Risultato: velocità media") << true;
    QTest::newRow("time of day") << Cell::TimeOfDay2 << QStringLiteral("Risultato: orario") << false;
}

void TestAccessibility::windowAndCellsAreDescribed()
{
    QFETCH(Cell, cell);
    QFETCH(QString, begins);
    QFETCH(bool, hinted);
    FakeSeams fake;
    fake.format = kComma;
    MainWindow window(fake.seams());
    const QString hint = QStringLiteral("Utilizzare la VIRGOLA come separatore decimale.");

    QAccessibleInterface* form = QAccessible::queryAccessibleInterface(&window);
    QCOMPARE(form->role(), QAccessible::Window);
    QCOMPARE(form->text(QAccessible::Description), hint);

    const QString description = QAccessible::queryAccessibleInterface(cellOf(window, cell))
                                    ->text(QAccessible::Description);
    QVERIFY2(description.startsWith(begins), qPrintable(description));
    QCOMPARE(description.endsWith(hint), hinted);
}

void TestAccessibility::captionsLabelTheirCells()
{
    FakeSeams fake;
    MainWindow window(fake.seams());
    // The clock-time cell sits in the "Coordinate" frame it is drawn in, and is
    // labelled by its "Tempo in sec" caption there, not only by the frame.
    QAccessibleInterface* cell = QAccessible::queryAccessibleInterface(cellOf(window, Cell::TimeOfDay1));
    QCOMPARE(cell->parent()->object()->objectName(), QStringLiteral("Frame1"));
    QStringList labels;
    for (const auto& [label, relation] : cell->relations(QAccessible::Label))
        labels << label->object()->objectName();
    QVERIFY2(labels.contains(QStringLiteral("Label20")), qPrintable(labels.join(' ')));
    // The caption says which fix, as the cell's own name does.
    auto* caption = window.findChild<QLabel*>(QStringLiteral("Label2"));
    QCOMPARE(QAccessible::queryAccessibleInterface(caption)->text(QAccessible::Name),
             QStringLiteral("NORD, posizione 2"));
}

void TestAccessibility::newValuesAreAnnounced()
{
    FakeSeams fake;
    fake.format = kComma;
    MainWindow window(fake.seams());
    auto* calculate = window.findChild<QPushButton*>(QStringLiteral("Command1"));
    auto* convert = window.findChild<QPushButton*>(QStringLiteral("Command4"));

    // Refused for empty input: the error box says so, and nothing is announced.
    calculate->click();
    QCOMPARE(fake.prompts.size(), std::size_t(1));
    QVERIFY(fake.announcements.empty());

    const std::pair<Cell, const char*> inputs[] = {
        {Cell::Latitude1Degrees, "45"}, {Cell::Latitude1Minutes, "27"}, {Cell::Latitude1Seconds, "51,12"},
        {Cell::Longitude1Degrees, "9"}, {Cell::Longitude1Minutes, "11"}, {Cell::Longitude1Seconds, "24"},
        {Cell::Latitude2Degrees, "45"}, {Cell::Latitude2Minutes, "4"}, {Cell::Latitude2Seconds, "12"},
        {Cell::Longitude2Degrees, "7"}, {Cell::Longitude2Minutes, "40"}, {Cell::Longitude2Seconds, "48"},
        {Cell::Hours1, "10"}, {Cell::Minutes1, "0"}, {Cell::Seconds1, "0"},
        {Cell::Hours2, "11"}, {Cell::Minutes2, "29"}, {Cell::Seconds2, "0"},
    };
    for (const auto& [cell, text] : inputs)
        cellOf(window, cell)->setText(QString::fromUtf8(text));
    convert->click();
    QCOMPARE(fake.announcements.size(), std::size_t(1));
    for (Cell cell : {Cell::Latitude1, Cell::Longitude1, Cell::Latitude2, Cell::Longitude2}) {
        const QString value = cellOf(window, cell)->text();
        QVERIFY(!value.isEmpty());
        QVERIFY2(fake.announcements.back().contains(value), qPrintable(fake.announcements.back()));
    }

    calculate->click();
    QCOMPARE(fake.announcements.size(), std::size_t(2));
    QVERIFY2(fake.announcements.back().contains(
                 QStringLiteral("Distanza Km ") + cellOf(window, Cell::DistanceKm)->text() + QLatin1Char(';')),
             qPrintable(fake.announcements.back()));
    QCOMPARE(fake.prompts.size(), std::size_t(1));
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
