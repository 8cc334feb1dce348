// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up hint and the emptying of the cells, then the key-press guard,
// typed into the real window's cells.
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include <string>
#include <utility>
#include <vector>

#include "calc/field_table.h"
#include "tests/support/window_cells.h"
#include "tests/ui/fake_seams.h"
#include "ui/window/load_form.h"
#include "ui/window/main_window.h"

using namespace zelva;
using namespace zelva::test;

Q_DECLARE_METATYPE(zelva::NumberFormat)

namespace {

const QString kVirgola = QStringLiteral("Utilizzare la VIRGOLA come separatore decimale");
const QString kPunto = QStringLiteral("Utilizzare il PUNTO come separatore decimale");

const QList<Cell> kGuarded = {
    Cell::Latitude1, Cell::Longitude1, Cell::Latitude2, Cell::Longitude2,
    Cell::Seconds1, Cell::Seconds2, Cell::SpeedKmh, Cell::Minutes1,
    Cell::Latitude1Degrees, Cell::Latitude1Minutes, Cell::Latitude1Seconds,
    Cell::Longitude1Degrees, Cell::Longitude1Minutes, Cell::Longitude1Seconds,
    Cell::Latitude2Degrees, Cell::Latitude2Minutes, Cell::Latitude2Seconds,
    Cell::Longitude2Degrees, Cell::Longitude2Minutes, Cell::Longitude2Seconds,
};

QStringList promptTexts(const std::vector<Prompt>& prompts)
{
    QStringList texts;
    for (const Prompt& prompt : prompts)
        texts << prompt.text;
    return texts;
}

// Records every write, to see the order in which start-up empties the cells.
class RecordingTable final : public FieldTable {
public:
    std::string readCell(Cell) const override { return {}; }
    void writeCell(Cell cell, std::string_view text) override { writes.emplace_back(cell, text); }
    std::vector<std::pair<Cell, std::string>> writes;
};

} // namespace

class TestSeparatorGuard : public QObject {
    Q_OBJECT

private slots:
    void loadEmptiesEveryCellInOrder();
    void startUp_data();
    void startUp();
    void typing_data();
    void typing();
    void followsSettingsChangedAfterStartUp();
    void textNotTypedRaisesNothing();
};

void TestSeparatorGuard::loadEmptiesEveryCellInOrder()
{
    RecordingTable table;
    QLabel label12(QStringLiteral("INFO"));
    QLabel label13(QStringLiteral("Label13"));
    loadForm(table, DecimalSeparator::Comma, label12, label13);

    std::vector<std::pair<Cell, std::string>> expected;
    for (const CellInfo& info : kCells)
        expected.emplace_back(info.cell, "");
    QCOMPARE(table.writes, expected);
    QCOMPARE(label12.text(), QStringLiteral("Utilizzare la VIRGOLA"));
}

void TestSeparatorGuard::startUp_data()
{
    QTest::addColumn<NumberFormat>("format");
    QTest::addColumn<QString>("label12");
    QTest::addColumn<QString>("label13");
    QTest::newRow("comma") << kComma << "Utilizzare la VIRGOLA" << "come separatore decimale";
    QTest::newRow("point") << kPoint << "Utilizzare il PUNTO" << "come separatore decimale";
    QTest::newRow("arabic: neither") << kArabic << "INFO" << "Label13";
}

void TestSeparatorGuard::startUp()
{
    QFETCH(NumberFormat, format);
    QFETCH(QString, label12);
    QFETCH(QString, label13);
    FakeSeams fake;
    fake.format = format;
    MainWindow window(fake.seams());

    QCOMPARE(window.findChild<QLabel*>("Label12")->text(), label12);
    QCOMPARE(window.findChild<QLabel*>("Label13")->text(), label13);
    // The form gives every cell its own name as design text.
    for (const CellInfo& info : kCells)
        QVERIFY2(cellOf(window, info.cell)->text().isEmpty(), qPrintable(nameOf(info.cell)));
    QVERIFY(fake.prompts.empty());
}

void TestSeparatorGuard::typing_data()
{
    QTest::addColumn<NumberFormat>("format");
    QTest::addColumn<Cell>("cell");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("warnings");

    for (const CellInfo& info : kCells) {
        const Cell cell = info.cell;
        const bool guarded = kGuarded.contains(cell);
        const QByteArray name = nameOf(cell).toLatin1();
        QTest::newRow(name + " comma settings")
            << kComma << cell << "1,5.2" << (guarded ? QStringList{kVirgola} : QStringList{});
        QTest::newRow(name + " point settings")
            << kPoint << cell << "1,5.2" << (guarded ? QStringList{kPunto} : QStringList{});
        QTest::newRow(name + " neither settings")
            << kArabic << cell << "1,5.2" << (guarded ? QStringList{kPunto} : QStringList{});
    }
    QTest::newRow("every wrong key warns again")
        << kPoint << Cell::Latitude1Degrees << ",,9," << QStringList{kPunto, kPunto, kPunto};
    QTest::newRow("digits and letters raise nothing")
        << kComma << Cell::Latitude1 << "45abc" << QStringList{};
}

void TestSeparatorGuard::typing()
{
    QFETCH(NumberFormat, format);
    QFETCH(Cell, cell);
    QFETCH(QString, typed);
    QFETCH(QStringList, warnings);
    FakeSeams fake;
    fake.format = format;
    MainWindow window(fake.seams());
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    QLineEdit* edit = cellOf(window, cell);
    edit->setFocus();
    QTest::keyClicks(edit, typed);

    QCOMPARE(promptTexts(fake.prompts), warnings);
    for (const Prompt& prompt : fake.prompts)
        QCOMPARE(prompt.style, MessageStyle::Plain);
    // The guard only warns: every character arrives as typed.
    QCOMPARE(edit->text(), typed);
}

void TestSeparatorGuard::followsSettingsChangedAfterStartUp()
{
    FakeSeams fake;
    fake.format = kPoint;
    MainWindow window(fake.seams());
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    fake.format = kComma;
    QLineEdit* edit = cellOf(window, Cell::Longitude1);
    edit->setFocus();
    QTest::keyClicks(edit, ".,");

    QCOMPARE(promptTexts(fake.prompts), QStringList{kVirgola});
    QCOMPARE(window.findChild<QLabel*>("Label12")->text(), QStringLiteral("Utilizzare il PUNTO"));
}

void TestSeparatorGuard::textNotTypedRaisesNothing()
{
    FakeSeams fake;
    fake.format = kComma;
    MainWindow window(fake.seams());
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    QLineEdit* edit = cellOf(window, Cell::Latitude1);
    edit->setText(QStringLiteral("4.5"));
    QGuiApplication::clipboard()->setText(QStringLiteral(".25"));
    edit->setFocus();
    edit->end(false);
    edit->paste();

    QCOMPARE(edit->text(), QStringLiteral("4.5.25"));
    QVERIFY(fake.prompts.empty());
}

QTEST_MAIN(TestSeparatorGuard)
#include "tst_separator_guard.moc"
