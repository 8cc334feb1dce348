// SPDX-License-Identifier: GPL-3.0-or-later
// The system's message box and save dialog behind the window's seams, found
// among the thread's windows and answered through their own controls and keys,
// as a user would.
#include <windows.h>

#include <functional>

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "tests/ui/fake_seams.h"
#include "ui/platform/message_box_flags_win.h"
#include "ui/platform/report_save_dialog.h"
#include "ui/platform/system_message_box.h"
#include "ui/window/main_window.h"

using namespace zelva;
using namespace zelva::test;

namespace {

// The visible system dialog (class #32770) of this thread, or null.
HWND openSystemDialog()
{
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM result) -> BOOL {
            wchar_t name[16] = {};
            GetClassNameW(window, name, 16);
            if (!IsWindowVisible(window) || std::wstring_view(name) != L"#32770")
                return TRUE;
            *reinterpret_cast<HWND*>(result) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

QString textOf(HWND window)
{
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return QString::fromWCharArray(text);
}

// The dialog's first visible control of class `kind`.
HWND childOf(HWND dialog, const wchar_t* kind)
{
    struct Search {
        const wchar_t* kind;
        HWND found;
    } search{kind, nullptr};
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            wchar_t name[32] = {};
            GetClassNameW(child, name, 32);
            if (!IsWindowVisible(child) || std::wstring_view(name) != s->kind)
                return TRUE;
            s->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Runs `answer` on the first system dialog to open. The modal loop of the
// system's dialog keeps Qt's timers running.
void whenSystemDialogOpens(QObject* context, std::function<void(HWND)> answer, int triesLeft = 500)
{
    QTimer::singleShot(10, context, [context, answer, triesLeft] {
        if (HWND dialog = openSystemDialog()) {
            answer(dialog);
            return;
        }
        if (triesLeft > 0)
            whenSystemDialogOpens(context, answer, triesLeft - 1);
    });
}

// How a user ends a dialog: a key in its focused control, or its close box.
enum class Ending { Enter, Escape, CloseBox };

void end(HWND dialog, Ending how)
{
    if (how == Ending::CloseBox) {
        PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        return;
    }
    HWND focus = GetFocus();
    const WPARAM key = how == Ending::Enter ? VK_RETURN : VK_ESCAPE;
    PostMessageW(focus ? focus : dialog, WM_KEYDOWN, key, 0);
    PostMessageW(focus ? focus : dialog, WM_KEYUP, key, 0);
}

struct SeenDialog {
    QString title;
    QString text;
    bool hasCancel = false;
    bool ownerDisabled = false;
    HWND owner = nullptr;
};

void answerBox(QObject* context, SeenDialog* seen, HWND owner, Ending how)
{
    whenSystemDialogOpens(context, [seen, owner, how](HWND box) {
        seen->title = textOf(box);
        seen->text = textOf(GetDlgItem(box, 0xFFFF));  // the prompt's static control
        seen->hasCancel = GetDlgItem(box, IDCANCEL) != nullptr;
        seen->owner = GetWindow(box, GW_OWNER);
        seen->ownerDisabled = !IsWindowEnabled(owner);
        end(box, how);
    });
}

// Notes the name the save dialog offers, types `typed` over it unless null, ends it.
void answerSaveDialog(QObject* context, QString* offered, const QString& typed, Ending how)
{
    whenSystemDialogOpens(context, [offered, typed, how](HWND dialog) {
        HWND name = childOf(dialog, L"Edit");
        QVERIFY(name);
        *offered = textOf(name);
        if (!typed.isNull()) {
            SetWindowTextW(name, reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(typed).utf16()));
            SetFocus(name);
        }
        end(dialog, how);
    });
}

QString fromUtf8(const std::optional<std::string>& path)
{
    return path ? QDir::fromNativeSeparators(QString::fromStdString(*path)) : QString();
}

} // namespace

Q_DECLARE_METATYPE(Ending)

class TestWindowsDialogs : public QObject {
    Q_OBJECT

private slots:
    void messageBoxFlags_data();
    void messageBoxFlags();
    void messageBox_data();
    void messageBox();
    void saveDialogEndsWithoutAName_data();
    void saveDialogEndsWithoutAName();
    void saveDialogOffersTheLastName();
    void reportNames_data();
    void reportNames();
};

void TestWindowsDialogs::messageBoxFlags_data()
{
    QTest::addColumn<MessageStyle>("style");
    QTest::addColumn<unsigned int>("flags");

    // MB_OK; MB_ICONERROR; MB_OKCANCEL | MB_ICONQUESTION with OK the default.
    QTest::newRow("plain") << MessageStyle::Plain << 0u;
    QTest::newRow("error") << MessageStyle::Error << 16u;
    QTest::newRow("question") << MessageStyle::OkCancelQuestion << 33u;
}

// The box's icon is not among what messageBox() can read back from the dialog.
void TestWindowsDialogs::messageBoxFlags()
{
    QFETCH(MessageStyle, style);
    QFETCH(unsigned int, flags);
    QCOMPARE(zelva::messageBoxFlags(style), flags);
}

void TestWindowsDialogs::messageBox_data()
{
    QTest::addColumn<MessageStyle>("style");
    QTest::addColumn<Ending>("how");
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<bool>("hasCancel");

    const auto ok = MessageAnswer::Ok;
    const auto question = MessageStyle::OkCancelQuestion;
    QTest::newRow("plain Enter") << MessageStyle::Plain << Ending::Enter << ok << false;
    QTest::newRow("plain Escape") << MessageStyle::Plain << Ending::Escape << ok << false;
    QTest::newRow("error Enter") << MessageStyle::Error << Ending::Enter << ok << false;
    QTest::newRow("question Enter is OK") << question << Ending::Enter << ok << true;
    QTest::newRow("question Escape is Cancel") << question << Ending::Escape << MessageAnswer::Cancel << true;
    QTest::newRow("question close box is Cancel") << question << Ending::CloseBox << MessageAnswer::Cancel
                                                  << true;
}

void TestWindowsDialogs::messageBox()
{
    QFETCH(MessageStyle, style);
    QFETCH(Ending, how);
    QFETCH(MessageAnswer, answer);
    QFETCH(bool, hasCancel);
    QWidget owner;
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    const auto ownerWindow = reinterpret_cast<HWND>(owner.winId());
    SeenDialog seen;
    answerBox(&owner, &seen, ownerWindow, how);

    // Markup in a prompt is shown as typed; the Greek is outside the ANSI code page.
    QCOMPARE(showSystemMessageBox(&owner, "Uscire dal progamma <b> Δοκιμή", style), answer);

    QCOMPARE(seen.title, QStringLiteral("Zelvamirontica"));
    QCOMPARE(seen.text, QStringLiteral("Uscire dal progamma <b> Δοκιμή"));
    QCOMPARE(seen.hasCancel, hasCancel);
    QCOMPARE(seen.owner, ownerWindow);
    QVERIFY(seen.ownerDisabled);
    QVERIFY(IsWindowEnabled(ownerWindow));
}

void TestWindowsDialogs::saveDialogEndsWithoutAName_data()
{
    QTest::addColumn<Ending>("how");
    QTest::newRow("Escape") << Ending::Escape;
    QTest::newRow("close box") << Ending::CloseBox;
}

void TestWindowsDialogs::saveDialogEndsWithoutAName()
{
    QFETCH(Ending, how);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QWidget owner;
    ReportSaveDialog commonDialog1(&owner);
    QString offered;
    answerSaveDialog(&owner, &offered, folder.filePath(QStringLiteral("scartato")), how);

    QCOMPARE(commonDialog1.ask(), std::optional<std::string>());
    QVERIFY(QDir(folder.path()).isEmpty());
}

void TestWindowsDialogs::saveDialogOffersTheLastName()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    // The file of the typed name exists: no question may stop the dialog.
    QVERIFY(QFile(folder.filePath(QStringLiteral("viaggio"))).open(QIODevice::WriteOnly));
    QWidget owner;
    ReportSaveDialog commonDialog1(&owner);

    QString offered;
    answerSaveDialog(&owner, &offered, folder.filePath(QStringLiteral("viaggio")), Ending::Enter);
    const auto first = commonDialog1.ask();
    QCOMPARE(offered, QStringLiteral("*.TXT"));
    QCOMPARE(fromUtf8(first), folder.filePath(QStringLiteral("viaggio")));

    answerSaveDialog(&owner, &offered, QString(), Ending::Enter);
    const auto second = commonDialog1.ask();
    QCOMPARE(offered, QStringLiteral("viaggio"));
    QCOMPARE(second, first);
}

void TestWindowsDialogs::reportNames_data()
{
    QTest::addColumn<QString>("folderName");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");

    QTest::newRow("a bare name gets .TXT") << QString() << "viaggio" << "viaggio.TXT";
    QTest::newRow("a .txt name gets .TXT too") << QString() << "viaggio.txt" << "viaggio.txt.TXT";
    QTest::newRow("an earlier report's name") << QString() << "report.TXT" << "report.TXT.TXT";
    QTest::newRow("a folder in the ANSI code page") << "Città" << "viaggio" << "viaggio.TXT";
    QTest::newRow("a folder outside it") << "Δοκιμή" << "viaggio" << "viaggio.TXT";
    // A typed path over 260 characters crashes Wine's own dialog; the report
    // tests write such a path through the same seam.
}

// "&Stampa" through the system's dialog: the exact names written.
void TestWindowsDialogs::reportNames()
{
    QFETCH(QString, folderName);
    QFETCH(QString, typed);
    QFETCH(QString, written);
    QTemporaryDir root;
    QVERIFY(root.isValid());
    QDir folder(root.path());
    if (!folderName.isEmpty()) {
        QVERIFY(folder.mkpath(folderName));
        QVERIFY(folder.cd(folderName));
    }
    QVERIFY(QFile(folder.filePath(QStringLiteral("report.TXT"))).open(QIODevice::WriteOnly));
    FakeSeams fakes;
    WindowSeams seams = fakes.seams();
    seams.saveDialog = nullptr;  // the window's own dialog
    MainWindow window(std::move(seams));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QString offered;
    answerSaveDialog(&window, &offered, folder.filePath(typed), Ending::Enter);

    window.findChild<QPushButton*>(QStringLiteral("Command3"))->click();

    QVERIFY2(QFile::exists(folder.filePath(written)), qPrintable(folder.filePath(written)));
    QCOMPARE(QFile(folder.filePath(written)).size(), qint64(556));  // an empty form's 22 lines
    QCOMPARE(fakes.prompts.size(), std::size_t(0));
}

QTEST_MAIN(TestWindowsDialogs)
#include "tst_windows_dialogs.moc"
