#include "CLeftView.h"
#include "Clock.h"
#include "COpenTableDlg.h"
#include "CWaiterDlg.h"
#include "Gbk.h"
#include "SettingsPageFixture.h"
#include "TestMain.h"
#include "WaiterField.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

namespace {

void addWaiters(TestDatabase& t)
{
    t.exec("insert into fws(xm,jp) values('王芳','WF'), ('李强','LQ'), ('王小明','WXM')");
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestFloorDialogs : public QObject
{
    Q_OBJECT
private slots:
    void openTableDialog();
    void registrationWaiterDialog();
    void notesOfTheRoomsPane();
};

// Guests out of range keep the dialog open at the field; the arrow keys go into the waiter list
// and Esc comes back; the button lists every waiter; the note stops at 1000 characters.
void TestFloorDialogs::openTableDialog()
{
    TestDatabase t;
    addWaiters(t);
    COpenTableDlg dialog(t.db, COpenTableDlg::Mode::Open, QStringLiteral("A1"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(QApplication::focusWidget(), dialog.guestsEdit());
    QVERIFY(dialog.orderNowBox()->isChecked());
    QTest::keyClicks(dialog.guestsEdit(), QStringLiteral("1001"));
    QTest::keyClick(dialog.guestsEdit(), Qt::Key_Return);
    QCOMPARE(t.prompt.texts(), QStringList{QStringLiteral("顾客人数必须是1到1000之间的整数!")});
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.guestsEdit()->selectedText(), QStringLiteral("1001"));

    WaiterField* waiter = dialog.waiterField();
    waiter->setFocus();
    QTest::keyClicks(waiter, QStringLiteral("w"));
    QCOMPARE(waiter->list()->topLevelItemCount(), 2);
    QTest::keyClick(waiter, Qt::Key_Down);
    QTest::keyClick(waiter->list(), Qt::Key_Down);
    QTest::keyClick(waiter->list(), Qt::Key_Return);
    QCOMPARE(waiter->text() + QString::number(dialog.waiter()), QStringLiteral("王小明3"));
    QVERIFY(dialog.noteEdit()->hasFocus());
    waiter->setFocus();
    QTest::keyClicks(waiter, QStringLiteral("x"));
    QCOMPARE(dialog.waiter(), 0); // the text changed: no waiter until one is taken
    QTest::keyClick(waiter, Qt::Key_Down);
    QTest::keyClick(waiter->list(), Qt::Key_Escape);
    QVERIFY(waiter->hasFocus() && !waiter->list()->isVisible());
    dialog.waiterButton()->click();
    QCOMPARE(waiter->list()->topLevelItemCount(), 3);

    dialog.noteEdit()->setPlainText(QString(1001, QLatin1Char('x')));
    QCOMPARE(dialog.note().size(), COpenTableDlg::kNoteLimit);
    dialog.guestsEdit()->setText(QStringLiteral("4"));
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.guests(), 4);
}

// The registration query's waiter dialog writes the waiter taken with Enter, or none for a name
// typed but never taken.
void TestFloorDialogs::registrationWaiterDialog()
{
    TestDatabase t;
    addWaiters(t);
    t.exec("insert into dj(djbh,czm,fws) values('R1','A1',1)");
    CWaiterDlg dialog(t.db, QStringLiteral("R1"), 1);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(dialog.field()->text(), QStringLiteral("王芳"));
    dialog.field()->clear();
    QTest::keyClicks(dialog.field(), QStringLiteral("lq"));
    QTest::keyClick(dialog.field(), Qt::Key_Return);
    QVERIFY(dialog.isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(t.scalar("select fws from dj"), QStringLiteral("2"));
    CWaiterDlg typed(t.db, QStringLiteral("R1"), 2);
    typed.field()->setText(QStringLiteral("王小明"));
    typed.accept();
    QCOMPARE(t.scalar("select fws from dj"), QStringLiteral("0"));
}

// The notes live in 便签.txt beside the database, GBK with CR LF; the time stamp and the clear
// button (after its question) change the file too; a desktop without a calculator says so.
void TestFloorDialogs::notesOfTheRoomsPane()
{
    Clock::setFixed(QDateTime(QDate(2026, 12, 6), QTime(9, 5, 3)));
    TestDatabase t;
    const QString path = QDir(t.folder()).filePath(QStringLiteral("便签.txt"));
    QVERIFY(Gbk::writeFile(path, QStringLiteral("今晚包间客满\n")));
    CLeftView view(t.db, t.prompt, t.folder());
    QCOMPARE(view.notes()->toPlainText(), QStringLiteral("今晚包间客满\n"));
    view.findChild<QPushButton*>(QStringLiteral("stamp"))->click();
    QCOMPARE(fileBytes(path), Gbk::encode(QStringLiteral("今晚包间客满\r\n---2026-12-06 09:05:03---\r\n")));
    auto* clear = view.findChild<QPushButton*>(QStringLiteral("clear"));
    clear->click(); // answered no
    QVERIFY(!view.notes()->toPlainText().isEmpty());
    t.prompt.answer(Prompt::Answer::Yes);
    clear->click();
    QCOMPARE(fileBytes(path), QByteArray());
    QCOMPARE(t.prompt.texts(), QStringList(2, QStringLiteral("你真的清空便签吗？")));

    const QByteArray path0 = qgetenv("PATH");
    qputenv("PATH", "/nonexistent");
    view.findChild<QPushButton*>(QStringLiteral("calculator"))->click();
    qputenv("PATH", path0);
    QVERIFY(t.prompt.last().startsWith(QStringLiteral("没有找到计算器程序")));
    Clock::clearFixed();
}

PELVAR_TEST(TestFloorDialogs)
#include "tst_FloorDialogs.moc"
