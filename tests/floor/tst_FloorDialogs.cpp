#include "CFjPage.h"
#include "CFwsDlg.h"
#include "CLeftView.h"
#include "Clock.h"
#include "COpenTableDlg.h"
#include "CPrintListReportCtrl.h"
#include "CWaiterDlg.h"
#include "Gbk.h"
#include "ModalDialogs.h"
#include "RoomDialog.h"
#include "SettingsPageFixture.h"
#include "TableBatchDialog.h"
#include "TableDialog.h"
#include "TestMain.h"
#include "WaiterDialog.h"
#include "WaiterField.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
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

// Clicks the row whose first column reads `text`.
void clickRow(CPrintListReportCtrl* list, const QString& text)
{
    for (int row = 0; row < list->rowCount(); ++row)
        if (list->cellText(row, 0) == text)
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualRect(list->model()->index(row, 0)).center());
}

QStringList column(CPrintListReportCtrl* list, int column)
{
    QStringList texts;
    for (int row = 0; row < list->rowCount(); ++row)
        texts << list->cellText(row, column);
    return texts;
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
    void roomsAndTablesPage();
    void waitersPage();
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

// Rights first; a room chosen shows its tables; the room and table dialogs refuse with the focus
// at the field at fault; the batch dialog adds the range.
void TestFloorDialogs::roomsAndTablesPage()
{
    SettingsPageFixture f({QStringLiteral("fjqx")});
    f.t.exec("insert into fj(fjm,csfy) values('大厅','一楼'),('包间','')");
    f.t.exec("insert into cz(czm,zzws,fjm) values('T1',4,'大厅'),('T2',6,'大厅'),('T3',10,'包间')");
    CFjPage page(f.t.db, f.t.prompt, f.op, f.printer);
    page.resize(1000, 500);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    page.addRoom();
    QCOMPARE(f.t.prompt.texts(), QStringList{QStringLiteral("你没有此操作权限!")});

    clickRow(page.roomList(), QStringLiteral("2"));
    QCOMPARE(page.roomFilter()->currentText(), QStringLiteral("包间"));
    QCOMPARE(column(page.tableList(), 0), QStringList{"T3"});
    QString focus;
    whenModal([&focus](QWidget* modal) {
        auto* dialog = qobject_cast<TableDialog*>(modal);
        focus = dialog->windowTitle() + dialog->roomBox()->currentText();
        typeText(dialog->nameEdit(), QStringLiteral("雅1"));
        dialog->seatsEdit()->setText(QStringLiteral("0"));
        QTest::keyClick(dialog->nameEdit(), Qt::Key_Return);
        focus += QApplication::focusWidget() == dialog->seatsEdit() ? QStringLiteral("@seats") : QString();
        dialog->seatsEdit()->setText(QStringLiteral("8"));
        QTest::keyClick(dialog->seatsEdit(), Qt::Key_Return);
    });
    page.addTable();
    QCOMPARE(focus, QStringLiteral("添加餐桌信息包间@seats"));
    QCOMPARE(column(page.tableList(), 0), QStringList({"T3", "雅1"}));
    QCOMPARE(page.tableList()->cellText(1, 1), QStringLiteral("空闲"));

    whenModal([](QWidget* modal) {
        auto* dialog = qobject_cast<TableBatchDialog*>(modal);
        dialog->fromEdit()->setText(QStringLiteral("1"));
        dialog->toEdit()->setText(QStringLiteral("2"));
        typeText(dialog->markEdit(), QStringLiteral("V"));
        dialog->seatsEdit()->setText(QStringLiteral("6"));
        dialog->roomBox()->setCurrentText(QStringLiteral("大厅"));
        QTest::keyClick(dialog->fromEdit(), Qt::Key_Return);
    });
    page.addTables();
    QCOMPARE(page.roomFilter()->currentText(), QStringLiteral("显示全部"));
    QCOMPARE(column(page.tableList(), 0), QStringList({"T1", "T2", "T3", "雅1", "V1", "V2"}));
    QCOMPARE(f.t.prompt.texts().size(), 2);
}

// A waiter added without a birth date keeps none, also after a change by double click; the
// initials follow the name; deleting asks first.
void TestFloorDialogs::waitersPage()
{
    Clock::setFixed(QDateTime(QDate(2026, 12, 6), QTime(12, 0)));
    SettingsPageFixture f;
    CFwsDlg page(f.t.db, f.t.prompt, f.op, f.printer);
    page.resize(800, 400);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    whenModal([](QWidget* modal) {
        auto* dialog = qobject_cast<WaiterDialog*>(modal);
        QVERIFY(!dialog->hasBirthDateBox()->isChecked() && !dialog->birthDateEdit()->isEnabled());
        QTest::keyClick(dialog->nameEdit(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), dialog->nameEdit());
        typeText(dialog->nameEdit(), QStringLiteral("王小明"));
        dialog->sexBox()->setCurrentText(QStringLiteral("女"));
        QTest::keyClick(dialog->nameEdit(), Qt::Key_Return);
    });
    buttonOf(&page, QStringLiteral("添加服务生"))->click();
    QCOMPARE(f.t.prompt.texts(), QStringList{QStringLiteral("服务生姓名不能为空!")});
    QCOMPARE(column(page.list(), 1) + column(page.list(), 2) + column(page.list(), 3) +
                 column(page.list(), 6),
             QStringList({"王小明", "WXM", "女", ""}));

    whenModal([](QWidget* modal) {
        auto* dialog = qobject_cast<WaiterDialog*>(modal);
        QVERIFY(!dialog->hasBirthDateBox()->isChecked());
        dialog->nameEdit()->setText(QStringLiteral("李红"));
        QTest::keyClick(dialog->nameEdit(), Qt::Key_Return);
    });
    const QPoint at = page.list()->visualRect(page.list()->model()->index(0, 1)).center();
    QTest::mouseClick(page.list()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(page.list()->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(f.t.scalar("select xm||jp||coalesce(csrq,'-') from fws"), QStringLiteral("李红LH-"));

    whenModal([](QWidget* modal) {
        auto* dialog = qobject_cast<WaiterDialog*>(modal);
        dialog->hasBirthDateBox()->setChecked(true);
        dialog->birthDateEdit()->setDate(QDate(1998, 3, 14));
        QTest::keyClick(dialog->nameEdit(), Qt::Key_Return);
    });
    page.list()->selectRow(0);
    buttonOf(&page, QStringLiteral("修改服务生"))->click();
    QCOMPARE(page.list()->cellText(0, 6), QStringLiteral("1998-03-14"));
    f.t.prompt.answer(Prompt::Answer::Yes);
    page.list()->selectRow(0);
    buttonOf(&page, QStringLiteral("删除服务生"))->click();
    QCOMPARE(f.t.prompt.last(), QStringLiteral("你真的要删除此服务生吗，删除后不可恢复?"));
    QCOMPARE(page.list()->rowCount(), 0);
    Clock::clearFixed();
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
