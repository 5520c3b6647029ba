#include "CAddConsumptionDlg.h"
#include "Clock.h"
#include "CPrintListReportCtrl.h"
#include "DefaultPrinter.h"
#include "FakeSpooler.h"
#include "ModalDialogs.h"
#include "RawPrinter.h"
#include "Restaurant.h"
#include "SettingsPageFixture.h"
#include "TestMain.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The ordering screen on A1 of Restaurant::withMenu (鱼香肉丝 and a gift of 可乐 ordered), B1 also
// occupied; every category prints in 厨房1.
struct Screen
{
    static Restaurant open(TestDatabase& t)
    {
        Clock::setFixed(Restaurant::kNow);
        Restaurant r = Restaurant::withMenu(t);
        r.seat(u"A1"_s);
        r.seat(u"B1"_s);
        r.order(u"A1"_s, u"鱼香肉丝"_s, 1);
        r.order(u"A1"_s, u"可乐"_s, 2, 0);
        t.exec(u"update lb set dyjmc='厨房1', dybt='厨房', dyfs='1'"_s);
        return r;
    }
    Screen()
    {
        spooler.printers[u"厨房1"_s];
        dialog.show();
        dialog.activateWindow();
        QTest::qWaitForWindowActive(&dialog);
    }
    ~Screen() { Clock::clearFixed(); }

    // Keys as the cashier types them: to whatever has the focus.
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    }
    template <class T> T* child(const char* name) { return dialog.findChild<T*>(QLatin1String(name)); }
    QString text(const char* name) { return child<QLabel>(name)->text(); }
    // A row's name, quantity, price, ratio and amount, and its colour.
    QString row(int index)
    {
        QStringList cells;
        for (int column = 1; column < 6; ++column)
            cells << lines->cellText(index, column);
        return cells.join(u'|') + u' ' +
               lines->model()->index(index, 0).data(Qt::ForegroundRole).value<QColor>().name();
    }
    void select(int row)
    {
        lines->selectionModel()->select(lines->model()->index(row, 0),
                                        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        lines->setFocus();
    }
    // Runs `act` on the next dialog, which the button (or key) opens.
    void withDialog(const std::function<void()>& open, const std::function<void(QWidget*)>& act)
    {
        whenModal(act);
        open();
    }

    TestDatabase t;
    Restaurant r = open(t);
    FakeSpooler spooler;
    RawPrinter printer{spooler, t.prompt};
    DefaultPrinter defaultPrinter;
    CAddConsumptionDlg dialog{t.db, u"张三"_s, t.folder(), u"A1"_s, printer, defaultPrinter};
    CPrintListReportCtrl* lines = child<CPrintListReportCtrl>("lines");
};

} // namespace

class TestCAddConsumptionDlg : public QObject
{
    Q_OBJECT
private slots:
    void orderingByKeyboard();
    void copyAndPasteOnAnotherTable();
    void transferAndNoteDialogs();
};

void TestCAddConsumptionDlg::orderingByKeyboard()
{
    Screen s;
    QCOMPARE(s.dialog.windowTitle(), u"增加消费"_s);
    QCOMPARE(s.child<QGroupBox>("linesFrame")->title(), u"“A1”餐桌消费清单"_s);
    QCOMPARE(s.text("guests") + u' ' + s.text("amount") + u' ' + s.text("count"), u"4 28.00 3.00"_s);
    QCOMPARE(s.row(1), u"可乐(赠)|2.00|5.00|0.00|0.00 #ff9900"_s);
    // Every button has a key of its own.
    QStringList keys;
    for (QPushButton* b : s.dialog.findChildren<QPushButton*>())
        keys << QKeySequence::mnemonic(b->text()).toString();
    QCOMPARE(QSet<QString>(keys.begin(), keys.end()).size(), keys.size());

    auto* search = s.child<QLineEdit>("search");
    QCOMPARE(QApplication::focusWidget(), search);
    s.press(Qt::Key_Down);
    QCOMPARE(s.text("currentDish"), u"红烧肉"_s);
    QTest::keyClicks(search, u"2"_s); // by number
    QCOMPARE(s.child<CPrintListReportCtrl>("dishes")->cellText(0, 3), u"38.50"_s);
    s.press(Qt::Key_Plus, Qt::KeypadModifier);
    QTest::keyClicks(s.child<QLineEdit>("quantity"), u"1.5"_s);
    s.press(Qt::Key_Return);
    QCOMPARE(s.row(2), u"红烧肉|1.50|38.50|1.00|57.75 #0000ff"_s);
    QCOMPARE(s.text("amount"), u"85.75"_s);
    QCOMPARE(QApplication::focusWidget(), search);
    QCOMPARE(search->selectedText(), u"2"_s);
    QCOMPARE(s.child<QPushButton>("return")->text(), u"删除(&T)"_s);
    s.press(Qt::Key_Delete); // answered No
    QCOMPARE(s.t.prompt.texts(), QStringList{u"真的要删除选定项目吗？"_s});

    // Sent to the kitchen, the new line can only be returned: Delete opens the return dialog.
    QTest::mouseClick(s.child<QPushButton>("print"), Qt::LeftButton);
    QCOMPARE(s.spooler.documents.size(), 1);
    QCOMPARE(s.lines->cellText(2, 10), u"已打印"_s);
    QCOMPARE(s.child<QPushButton>("return")->text(), u"退单(&T)"_s);
    QStringList seen;
    s.withDialog([&s] { s.press(Qt::Key_Delete); },
                 [&](QWidget* dialog) {
                     auto* quantity = dialog->findChild<QLineEdit*>(u"quantity"_s);
                     seen << dialog->windowTitle() << quantity->text();
                     quantity->setText(u"1"_s);
                     QTest::keyClick(quantity, Qt::Key_Return);
                     auto* reason = dialog->findChild<QComboBox*>(u"reason"_s);
                     seen << s.t.prompt.last() << QString::number(reason->hasFocus());
                     reason->setEditText(u"上错菜"_s);
                     QTest::keyClick(reason, Qt::Key_Return);
                 });
    QCOMPARE(seen, (QStringList{"指定退单数量", "1.50", "退菜原因不能为空!", "1"}));
    QCOMPARE(s.row(3), u"红烧肉(退)|-1.00|38.50|1.00|-38.50 #ff0000"_s);
    QCOMPARE(s.lines->cellText(3, 9) + u' ' + s.text("amount"), u"上错菜 47.25"_s);
    QVERIFY(s.dialog.changed());
    // Minus checks out; the key does not reach the search box.
    s.press(Qt::Key_Minus);
    QVERIFY(s.dialog.checkoutRequested());
    QCOMPARE(s.dialog.result(), int(QDialog::Accepted));
    QCOMPARE(search->text(), u"2"_s);
}

void TestCAddConsumptionDlg::copyAndPasteOnAnotherTable()
{
    Screen s;
    s.select(0);
    s.press(Qt::Key_A, Qt::ControlModifier);
    s.press(Qt::Key_C, Qt::ControlModifier);
    const QString copied = QGuiApplication::clipboard()->text();
    QCOMPARE(copied, u"Orvo2.4\n鱼香肉丝,1.00,28.00,1.00\r\n可乐,2.00,5.00,0.00\r\n"_s);
    s.child<QComboBox>("tables")->setCurrentText(u"B1"_s);
    QCOMPARE(s.dialog.table() + QString::number(s.lines->rowCount()), u"B10"_s);
    s.press(Qt::Key_F8); // 鱼香肉丝, a new line
    // A paste that adds nothing still reads the list again: the new line is a stored one now.
    QGuiApplication::clipboard()->setText(u"Orvo2.4\n撤下的菜,1,99,1\r\n"_s);
    s.select(0);
    s.press(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(s.t.prompt.texts(), QStringList{u"以下项目不是消费项目,未粘贴:撤下的菜"_s});
    QCOMPARE(s.row(0), u"鱼香肉丝|1.00|28.00|1.00|28.00 #000000"_s);
    QCOMPARE(s.child<QPushButton>("return")->text(), u"退单(&T)"_s);
    QGuiApplication::clipboard()->setText(copied);
    s.press(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(s.row(2), u"可乐(赠)|2.00|5.00|0.00|0.00 #ff9900"_s);
    QCOMPARE(s.text("amount") + u' ' + s.r.registration(u"B1"_s, u"printf('%.2f',xfhj)"_s), u"56.00 56.00"_s);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void TestCAddConsumptionDlg::transferAndNoteDialogs()
{
    Screen s;
    s.select(0);
    QStringList seen;
    s.withDialog([&s] { QTest::mouseClick(s.child<QPushButton>("transfer"), Qt::LeftButton); },
                 [&](QWidget* dialog) {
                     auto* target = dialog->findChild<QComboBox*>(u"target"_s);
                     seen << dialog->windowTitle() << target->itemText(0);
                     target->setEditText(u"C1"_s);
                     QTest::keyClick(target, Qt::Key_Return);
                     seen << s.t.prompt.last() << target->currentText();
                     target->setEditText(u"B1"_s);
                     QTest::keyClick(target, Qt::Key_Return);
                 });
    QCOMPARE(seen, (QStringList{"消费转单", "B1", "请指定为占用的餐桌!", ""}));
    QCOMPARE(s.row(0), u"可乐(赠)|2.00|5.00|0.00|0.00 #ff9900"_s);
    QCOMPARE(s.text("amount") + u' ' + s.r.registration(u"B1"_s, u"printf('%.2f',xfhj)"_s), u"0.00 28.00"_s);

    // A double click opens the note with the line's own note in the box.
    s.t.exec(u"update xfmx set bz='加冰'"_s);
    const QPoint at = s.lines->visualRect(s.lines->model()->index(0, 1)).center();
    s.withDialog(
        [&] {
            QTest::mouseClick(s.lines->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(s.lines->viewport(), Qt::LeftButton, {}, at);
        },
        [&](QWidget* dialog) {
            auto* taste = dialog->findChild<QComboBox*>(u"taste"_s);
            seen << taste->currentText();
            taste->setEditText(u"不要冰"_s);
            QTest::keyClick(taste, Qt::Key_Return);
        });
    QCOMPARE(seen.last() + u' ' + s.lines->cellText(0, 9), u"加冰 不要冰"_s);
    // Alt+O is 结账's alone.
    s.press(Qt::Key_O, Qt::AltModifier);
    QTRY_VERIFY(s.dialog.checkoutRequested()); // a button's key clicks it a moment later
}

PELVAR_TEST(TestCAddConsumptionDlg)
#include "tst_CAddConsumptionDlg.moc"
