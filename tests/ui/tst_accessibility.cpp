// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader is given: the cells' text as one run and one line, the
// window's role and hint, the captions and descriptions of the cells, and what
// is announced after a calculation or a conversion, and that a cell's selection
// reaches the screen reader only while the cell is its focus.
#include <vector>

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include "tests/support/window_cells.h"
#include "tests/ui/fake_seams.h"
#include "ui/window/main_window.h"

using namespace zelva;
using namespace zelva::test;

namespace {

// What reaches the platform's screen-reader bridge, in order. Qt takes a bare
// function as the handler, so what it hears is kept here.
struct Heard {
    QObject* object;
    QAccessible::Event type;
};
std::vector<Heard> heard;

void hear(QAccessibleEvent* event)
{
    heard.push_back({event->object(), event->type()});
}

// Qt hands events on only while a screen reader listens; this is one.
struct ScreenReaderListening {
    ScreenReaderListening()
    {
        heard.clear();
        QAccessible::installUpdateHandler(&hear);
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
    }
    ~ScreenReaderListening()
    {
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(false);
        QAccessible::installUpdateHandler(nullptr);
    }
};

// The events heard about `object` since `from`, by type.
QList<QAccessible::Event> heardOf(const QObject* object, std::size_t from)
{
    QList<QAccessible::Event> types;
    for (std::size_t i = from; i < heard.size(); ++i)
        if (heard[i].object == object)
            types << heard[i].type;
    return types;
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void cellTextIsOneRunAndOneLine_data();
    void cellTextIsOneRunAndOneLine();
    void windowAndCellsAreDescribed_data();
    void windowAndCellsAreDescribed();
    void captionsLabelTheirCells();
    void newValuesAreAnnounced();
    void qtSelectsBeforeItTellsTheFocus();
    void selectionIsHeardOnlyFromTheFocus_data();
    void selectionIsHeardOnlyFromTheFocus();
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

// The cause of each value heard twice: a line edit entered by Tab selects its
// text before Qt tells the screen reader that it has the focus. Once this
// fails, Qt tells the focus first and the window's filter of selections can go.
void TestAccessibility::qtSelectsBeforeItTellsTheFocus()
{
    ScreenReaderListening listening;
    QWidget window;
    auto* first = new QLineEdit(QStringLiteral("45,4642"), &window);
    auto* second = new QLineEdit(QStringLiteral("9,19"), &window);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    first->setFocus();
    first->selectAll();  // as Tab leaves it
    const std::size_t from = heard.size();
    QTest::keyClick(first, Qt::Key_Tab);
    QVERIFY(second->hasFocus());
    const QList<QAccessible::Event> types = heardOf(second, from);
    QVERIFY(types.contains(QAccessible::TextSelectionChanged));
    QVERIFY(types.indexOf(QAccessible::TextSelectionChanged) < types.indexOf(QAccessible::Focus));
    QVERIFY(heardOf(first, from).contains(QAccessible::TextSelectionChanged));
}

void TestAccessibility::selectionIsHeardOnlyFromTheFocus_data()
{
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<Cell>("lands");
    QTest::addColumn<bool>("selectionHeard");
    // Regression: each value was heard twice on Tab, and "not selected" on leaving.
    QTest::newRow("Tab into a filled cell, out of a selected one")
        << QKeySequence(Qt::Key_Tab) << Cell::Hours1 << false;
    QTest::newRow("Shift+Tab back") << QKeySequence(Qt::SHIFT | Qt::Key_Tab) << Cell::Latitude1 << false;
    QTest::newRow("Shift+Left inside the cell is heard")
        << QKeySequence(Qt::SHIFT | Qt::Key_Left) << Cell::Longitude1 << true;
}

void TestAccessibility::selectionIsHeardOnlyFromTheFocus()
{
    QFETCH(QKeySequence, keys);
    QFETCH(Cell, lands);
    QFETCH(bool, selectionHeard);
    ScreenReaderListening listening;
    FakeSeams fake;
    fake.format = kComma;
    MainWindow window(fake.seams());
    for (Cell cell : {Cell::Latitude1, Cell::Longitude1, Cell::Hours1})
        cellOf(window, cell)->setText(QStringLiteral("9,19"));
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QLineEdit* start = cellOf(window, Cell::Longitude1);
    cellOf(window, Cell::Latitude1)->setFocus();
    QTest::keyClick(cellOf(window, Cell::Latitude1), Qt::Key_Tab);  // entered as a user does: all selected
    QVERIFY(start->hasFocus() && start->hasSelectedText());

    const std::size_t from = heard.size();
    QTest::keySequence(start, keys);
    QLineEdit* landed = cellOf(window, lands);
    QVERIFY(landed->hasFocus());
    const QList<QAccessible::Event> types = heardOf(landed, from);
    QCOMPARE(types.contains(QAccessible::TextSelectionChanged), selectionHeard);
    if (landed != start) {
        QCOMPARE(types.count(QAccessible::Focus), 1);
        QVERIFY(!heardOf(start, from).contains(QAccessible::TextSelectionChanged));
    }
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
