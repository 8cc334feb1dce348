// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up hint and the emptying of the cells, then the key-press guard,
// typed into the real window's cells.
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include <string>
#include <vector>

#include "calc/field_table.h"
#include "tests/ui/fake_seams.h"
#include "ui/load_form.h"
#include "ui/main_window.h"

using namespace zelva;
using namespace zelva::test;

Q_DECLARE_METATYPE(zelva::NumberFormat)

namespace {

const QString kVirgola = QStringLiteral("Utilizzare la VIRGOLA come separatore decimale");
const QString kPunto = QStringLiteral("Utilizzare il PUNTO come separatore decimale");

const QStringList kGuarded = {
    "Text1",  "Text2",  "Text3",  "Text4",  "Text7",  "Text8",  "Text9",
    "Text10", "Text18", "Text19", "Text20", "Text21", "Text22", "Text23",
    "Text24", "Text25", "Text26", "Text27", "Text28", "Text29",
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
    void writeCell(Cell cell, std::string_view text) override
    {
        const std::string_view name = controlName(cell);
        writes << QString::fromUtf8(name.data(), qsizetype(name.size())) + "="
                      + QString::fromUtf8(text.data(), qsizetype(text.size()));
    }
    QStringList writes;
};

QLineEdit* cellOf(QWidget& window, const QString& name)
{
    return window.findChild<QLineEdit*>(name);
}

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

    QStringList expected;
    for (int number = 1; number <= kCellCount; ++number)
        expected << QStringLiteral("Text%1=").arg(number);
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
    for (int number = 1; number <= kCellCount; ++number) {
        const QString name = QStringLiteral("Text%1").arg(number);
        QVERIFY2(cellOf(window, name)->text().isEmpty(), qPrintable(name));
    }
    QVERIFY(fake.prompts.empty());
}

void TestSeparatorGuard::typing_data()
{
    QTest::addColumn<NumberFormat>("format");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("warnings");

    for (int number = 1; number <= kCellCount; ++number) {
        const QString cell = QStringLiteral("Text%1").arg(number);
        const bool guarded = kGuarded.contains(cell);
        const QByteArray name = cell.toLatin1();
        QTest::newRow(name + " comma settings")
            << kComma << cell << "1,5.2" << (guarded ? QStringList{kVirgola} : QStringList{});
        QTest::newRow(name + " point settings")
            << kPoint << cell << "1,5.2" << (guarded ? QStringList{kPunto} : QStringList{});
        QTest::newRow(name + " neither settings")
            << kArabic << cell << "1,5.2" << (guarded ? QStringList{kPunto} : QStringList{});
    }
    QTest::newRow("every wrong key warns again")
        << kPoint << "Text18" << ",,9," << QStringList{kPunto, kPunto, kPunto};
    QTest::newRow("digits and letters raise nothing")
        << kComma << "Text1" << "45abc" << QStringList{};
}

void TestSeparatorGuard::typing()
{
    QFETCH(NumberFormat, format);
    QFETCH(QString, cell);
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
    QLineEdit* edit = cellOf(window, "Text2");
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

    QLineEdit* edit = cellOf(window, "Text1");
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
