// SPDX-License-Identifier: GPL-3.0-or-later
// The window's wiring through key presses: the cells as a field table, the
// focus at start-up, the accelerators, the tab order, the exit question and a
// whole pair of fixes from typing to the saved report.
#include <QClipboard>
#include <QCloseEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWindow>
#include <QtTest>

#include "report/report_lines.h"
#include "tests/support/window_cells.h"
#include "tests/ui/fake_seams.h"
#include "ui/window/main_window.h"
#include "ui/window/widget_field_table.h"

using namespace zelva;
using namespace zelva::test;

namespace {

QString focusName()
{
    const QWidget* focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QStringLiteral("(none)");
}

void typeInto(QWidget& window, Cell cell, const QString& text)
{
    QLineEdit* edit = cellOf(window, cell);
    edit->setFocus();
    QTest::keyClicks(edit, text);
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void cellsAsFieldTable_data();
    void cellsAsFieldTable();
    void formWithoutCellsIsHarmlessInRelease();
    void focusStartsInLatitude1();
    void keys_data();
    void keys();
    void tabOrder_data();
    void tabOrder();
    void exitQuestion_data();
    void exitQuestion();
    void windowCloseDoesNotAsk();
    void workedExampleFromKeysToReport_data();
    void workedExampleFromKeysToReport();
    void pasteOrDropKeepsTheFirstLine_data();
    void pasteOrDropKeepsTheFirstLine();
};

void TestMainWindow::cellsAsFieldTable_data()
{
    QTest::addColumn<Cell>("cell");
    for (const CellInfo& info : kCells)
        QTest::newRow(nameOf(info.cell).toLatin1()) << info.cell;
}

void TestMainWindow::cellsAsFieldTable()
{
    QFETCH(Cell, cell);
    FakeSeams fake;
    MainWindow window(fake.seams());
    WidgetFieldTable table(window);

    // Non-ASCII text must survive both ways, and each cell must reach its own
    // widget (a shifted index would write a neighbour).
    const std::string written = "45\xC2\xB0 " + nameOf(cell).toStdString();
    table.writeCell(cell, written);
    QCOMPARE(cellOf(window, cell)->text(), QString::fromStdString(written));
    for (const CellInfo& other : kCells) {
        if (other.cell != cell)
            QVERIFY2(cellOf(window, other.cell)->text().isEmpty(), qPrintable(nameOf(other.cell)));
    }

    cellOf(window, cell)->setText(QStringLiteral("9,19 \u00E8"));
    QCOMPARE(table.readCell(cell), std::string("9,19 \xC3\xA8"));
}

void TestMainWindow::formWithoutCellsIsHarmlessInRelease()
{
#ifdef QT_NO_DEBUG
    QWidget formWithoutCells;
    WidgetFieldTable table(formWithoutCells);
    table.writeCell(Cell::Latitude1, "x");
    QCOMPARE(table.readCell(Cell::Latitude1), std::string());
#else
    QSKIP("debug builds assert on a form that lacks a cell");
#endif
}

void TestMainWindow::focusStartsInLatitude1()
{
    FakeSeams fake;
    MainWindow window(fake.seams());
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(focusName(), nameOf(Cell::Latitude1));
}

// Alt+letter runs its button's action, and so do Enter and keypad Enter on the
// focused button; Enter and Escape in a cell press nothing, since no button is
// a default or cancel button.
void TestMainWindow::keys_data()
{
    QTest::addColumn<QString>("focus");  // a button's name; empty: a cell
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<MessageStyle>("style");
    QTest::addColumn<int>("dialogCalls");
    QTest::addColumn<QString>("latitude1");

    const int alt = Qt::AltModifier;
    // The style column is read only where a prompt is expected.
    const auto none = MessageStyle::Plain;
    QTest::newRow("Alt+C computes: empty inputs refused") << QString() << int(Qt::Key_C) << alt
        << "ERRORE! Non hai inserto i dati." << MessageStyle::Error << 0 << "";
    QTest::newRow("Alt+E asks to exit") << QString() << int(Qt::Key_E) << alt << "Uscire dal progamma"
                                        << MessageStyle::OkCancelQuestion << 0 << "";
    QTest::newRow("Alt+S opens the save dialog") << QString() << int(Qt::Key_S) << alt << "" << none << 1 << "";
    QTest::newRow("Alt+G converts into Latitude1")
        << QString() << int(Qt::Key_G) << alt << "" << none << 0 << "45.5";
    QTest::newRow("Return presses nothing") << QString() << int(Qt::Key_Return) << 0 << "" << none << 0 << "";
    QTest::newRow("keypad Enter presses nothing") << QString() << int(Qt::Key_Enter) << int(Qt::KeypadModifier)
                                                  << "" << none << 0 << "";
    QTest::newRow("Escape presses nothing") << QString() << int(Qt::Key_Escape) << 0 << "" << none << 0 << "";
    // Regression: Enter on a focused button did nothing; Space alone clicked it.
    for (const auto& [enter, keypad] : {std::pair(int(Qt::Key_Return), 0),
                                         std::pair(int(Qt::Key_Enter), int(Qt::KeypadModifier))}) {
        const char* name = keypad ? "keypad Enter" : "Return";
        const QString buttons[] = {"Command1", "Command2", "Command3", "Command4"};
        QTest::addRow("%s on Calcola computes", name) << buttons[0] << enter << keypad
            << "ERRORE! Non hai inserto i dati." << MessageStyle::Error << 0 << "";
        QTest::addRow("%s on Esci asks to exit", name) << buttons[1] << enter << keypad
            << "Uscire dal progamma" << MessageStyle::OkCancelQuestion << 0 << "";
        QTest::addRow("%s on Stampa opens the save dialog", name) << buttons[2] << enter << keypad
            << "" << none << 1 << "";
        QTest::addRow("%s on Converti converts", name) << buttons[3] << enter << keypad
            << "" << none << 0 << "45.5";
    }
}

void TestMainWindow::keys()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, prompt);
    QFETCH(MessageStyle, style);
    QFETCH(int, dialogCalls);
    QFETCH(QString, latitude1);
    FakeSeams fake;
    fake.answer = MessageAnswer::Cancel;
    MainWindow window(fake.seams());
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    // 45° 30' 0'' for the conversion; the computation still lacks its inputs.
    typeInto(window, Cell::Latitude1Degrees, "45");
    typeInto(window, Cell::Latitude1Minutes, "30");
    typeInto(window, Cell::Latitude1Seconds, "0");
    typeInto(window, Cell::Longitude1Seconds, "x");
    cellOf(window, Cell::Longitude1Seconds)->setFocus();
    if (!focus.isEmpty())
        window.findChild<QPushButton*>(focus)->setFocus(Qt::TabFocusReason);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));

    if (!prompt.isEmpty()) {
        QTRY_COMPARE(fake.prompts.size(), std::size_t(1));
        QCOMPARE(fake.prompts.front().text, prompt);
        QCOMPARE(fake.prompts.front().style, style);
    }
    QTRY_COMPARE(fake.dialogCalls, dialogCalls);
    QTRY_COMPARE(cellOf(window, Cell::Latitude1)->text(), latitude1);
    // Let a stray animated click land before checking that nothing else happened.
    QTest::qWait(200);
    QCOMPARE(fake.prompts.size(), std::size_t(prompt.isEmpty() ? 0 : 1));
    QCOMPARE(fake.dialogCalls, dialogCalls);
    QVERIFY(window.isVisible());
}

void TestMainWindow::tabOrder_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QStringList order;
    for (Cell cell : {Cell::Latitude1, Cell::Longitude1, Cell::Hours1, Cell::Minutes1, Cell::Seconds1,
                      Cell::Latitude2, Cell::Longitude2, Cell::Hours2, Cell::Minutes2, Cell::Seconds2,
                      Cell::Latitude1Degrees, Cell::Latitude1Minutes, Cell::Latitude1Seconds,
                      Cell::Longitude1Degrees, Cell::Longitude1Minutes, Cell::Longitude1Seconds,
                      Cell::Latitude2Degrees, Cell::Latitude2Minutes, Cell::Latitude2Seconds,
                      Cell::Longitude2Degrees, Cell::Longitude2Minutes, Cell::Longitude2Seconds})
        order << nameOf(cell);
    order << "Command4" << "Command1" << "Command3" << "Command2";
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        QTest::newRow(qPrintable(order[i] + " -> " + order[i + 1])) << order[i] << order[i + 1];
}

void TestMainWindow::tabOrder()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    FakeSeams fake;
    MainWindow window(fake.seams());
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    window.findChild<QWidget*>(from)->setFocus(Qt::TabFocusReason);
    QCOMPARE(focusName(), from);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(focusName(), to);
}

void TestMainWindow::exitQuestion_data()
{
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<bool>("closes");
    QTest::newRow("OK closes the window") << MessageAnswer::Ok << true;
    QTest::newRow("Cancel keeps it as it was") << MessageAnswer::Cancel << false;
}

void TestMainWindow::exitQuestion()
{
    QFETCH(MessageAnswer, answer);
    QFETCH(bool, closes);
    FakeSeams fake;
    fake.answer = answer;
    MainWindow window(fake.seams());
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    typeInto(window, Cell::Latitude1, "45");
    // The program ends when its last window closes, which Qt signals only from
    // within the event loop; a timer ends the loop where the program goes on.
    QSignalSpy lastWindowClosed(qApp, &QGuiApplication::lastWindowClosed);
    QTimer::singleShot(0, &window, [&window] {
        window.findChild<QPushButton*>("Command2")->click();
    });
    // exit(), unlike quit(), does not close the windows on its way out.
    QTimer::singleShot(300, &window, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();

    QCOMPARE(fake.prompts.size(), std::size_t(1));
    QCOMPARE(window.isVisible(), !closes);
    QCOMPARE(lastWindowClosed.count(), closes ? 1 : 0);
    QCOMPARE(cellOf(window, Cell::Latitude1)->text(), QStringLiteral("45"));
}

void TestMainWindow::windowCloseDoesNotAsk()
{
    FakeSeams fake;
    fake.answer = MessageAnswer::Cancel;
    MainWindow window(fake.seams());
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    // The way the platform delivers its close button: a close event to the window.
    QCloseEvent close;
    QCoreApplication::sendEvent(window.windowHandle(), &close);

    QVERIFY(close.isAccepted());
    QVERIFY(!window.isVisible());
    QVERIFY(fake.prompts.empty());
}

void TestMainWindow::workedExampleFromKeysToReport_data()
{
    QTest::addColumn<QString>("clipboard");
    QTest::newRow("typed") << QString();
    // Regression: a spreadsheet cell copied with its line break was stored whole,
    // so the latitude read as 0 and the report gained a broken line.
    QTest::newRow("Latitude1 pasted from a spreadsheet cell") << QStringLiteral("45\r\n");
}

void TestMainWindow::workedExampleFromKeysToReport()
{
    QFETCH(QString, clipboard);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString chosen = folder.filePath(QStringLiteral("viaggio"));
    FakeSeams fake;
    fake.format = kPoint;
    fake.chosenPath = chosen.toStdString();
    MainWindow window(fake.seams());
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    const std::pair<Cell, const char*> inputs[] = {
        {Cell::Latitude1, "45"}, {Cell::Longitude1, "9"}, {Cell::Latitude2, "44"},
        {Cell::Longitude2, "10"}, {Cell::Hours1, "10"}, {Cell::Minutes1, "15"},
        {Cell::Seconds1, "30"}, {Cell::Hours2, "11"}, {Cell::Minutes2, "45"}, {Cell::Seconds2, "0"},
    };
    for (const auto& [cell, text] : inputs) {
        if (!clipboard.isEmpty() && cell == Cell::Latitude1) {
            QApplication::clipboard()->setText(clipboard);
            cellOf(window, cell)->setFocus();
            QTest::keySequence(cellOf(window, cell), QKeySequence::Paste);
            QCOMPARE(cellOf(window, cell)->text(), QStringLiteral("45"));
            continue;
        }
        typeInto(window, cell, text);
    }

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::AltModifier);
    QTRY_COMPARE(cellOf(window, Cell::TimeOfDay1)->text(), QStringLiteral("36930"));
    QCOMPARE(cellOf(window, Cell::TimeOfDay2)->text(), QStringLiteral("42300"));
    QCOMPARE(cellOf(window, Cell::Interval)->text(), QStringLiteral("5370"));
    // Ten significant digits: the later ones depend on the last bit of the sines.
    bool isNumber = false;
    const double km = cellOf(window, Cell::DistanceKm)->text().toDouble(&isNumber);
    QVERIFY2(isNumber, qPrintable(cellOf(window, Cell::DistanceKm)->text()));
    QCOMPARE(QString::number(km, 'g', 10), QStringLiteral("136.5784036"));
    QVERIFY(!cellOf(window, Cell::DistanceM)->text().isEmpty());
    QVERIFY(!cellOf(window, Cell::SpeedKmh)->text().isEmpty());
    QVERIFY(!cellOf(window, Cell::SpeedMs)->text().isEmpty());
    QVERIFY(fake.prompts.empty());

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);
    QTRY_COMPARE(fake.dialogCalls, 1);
    QFile file(chosen + QStringLiteral(".TXT"));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    const QByteArray bytes = file.readAll();

    QByteArray expected;
    for (const std::string& line : composeReport(WidgetFieldTable(window)))
        expected += QByteArray::fromStdString(line) + "\r\n";
    QCOMPARE(bytes, expected);
    const QList<QByteArray> lines = bytes.split('\n');
    QCOMPARE(lines.size(), 23);  // 22 lines, each ended, and nothing after the last
    QCOMPARE(lines[7], QByteArray(" NORD = 45\r"));
    QCOMPARE(lines[9], QByteArray(" Orario 10:15:30\r"));
    QCOMPARE(lines[13], QByteArray(" Orario 11:45:0\r"));
    QCOMPARE(lines[17], " DISTANZA km -> " + cellOf(window, Cell::DistanceKm)->text().toLatin1() + "\r");
    QCOMPARE(lines[21], QByteArray(" Intervallo s -> 5370\r"));
    QVERIFY(fake.prompts.empty());
}

void TestMainWindow::pasteOrDropKeepsTheFirstLine_data()
{
    QTest::addColumn<bool>("drop");
    QTest::addColumn<QString>("incoming");
    QTest::addColumn<QString>("expected");
    // The first latitude holds "12" with the cursor between the digits; drops land at its left edge.
    QTest::newRow("paste, the rest of the cell stays") << false << QStringLiteral("3\n4") << QStringLiteral("132");
    QTest::newRow("paste, Unicode paragraph break") << false << QStringLiteral("3\u20294") << QStringLiteral("132");
    QTest::newRow("paste, break first") << false << QStringLiteral("\r\n3") << QStringLiteral("12");
    QTest::newRow("drop") << true << QStringLiteral("3\r\n4") << QStringLiteral("312");
}

void TestMainWindow::pasteOrDropKeepsTheFirstLine()
{
    QFETCH(bool, drop);
    QFETCH(QString, incoming);
    QFETCH(QString, expected);
    FakeSeams fake;
    MainWindow window(fake.seams());
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QLineEdit* cell = cellOf(window, Cell::Latitude1);
    typeInto(window, Cell::Latitude1, QStringLiteral("12"));
    cell->setCursorPosition(1);

    if (drop) {
        QMimeData data;
        data.setText(incoming);
        const QPointF at(2, cell->height() / 2);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(cell, &enter);
        QDropEvent event(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(cell, &event);
    } else {
        QApplication::clipboard()->setText(incoming);
        QTest::keySequence(cell, QKeySequence::Paste);
    }
    QCOMPARE(cell->text(), expected);
}

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
