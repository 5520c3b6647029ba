#include "COpenTableDlg.h"
#include "TestDatabase.h"
#include "TestMain.h"
#include "WaiterField.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

namespace {

void addWaiters(TestDatabase& t)
{
    t.exec("insert into fws(xm,jp) values('王芳','WF')");
    t.exec("insert into fws(xm,jp) values('李强','LQ')");
    t.exec("insert into fws(xm,jp) values('王小明','WXM')");
}

QStringList listed(const WaiterField& field)
{
    QStringList out;
    if (!field.list() || !field.list()->isVisible())
        return out;
    for (int i = 0; i < field.list()->topLevelItemCount(); ++i)
        out << field.list()->topLevelItem(i)->text(0) + field.list()->topLevelItem(i)->text(1);
    return out;
}

} // namespace

class TestCOpenTableDlg : public QObject
{
    Q_OBJECT
private slots:
    void openAndChangeModes();
    void guestsFromOneToAThousand_data();
    void guestsFromOneToAThousand();
    void waiterPickedWithTheKeys();
    void waiterTypedButNotPickedIsNone();
    void waiterButtonListsEveryone();
    void noteAtMostAThousandCharacters();
    void registrationShownForChange();
};

void TestCOpenTableDlg::openAndChangeModes()
{
    TestDatabase t;
    COpenTableDlg open(t.db, COpenTableDlg::Mode::Open, QStringLiteral("A1"));
    QCOMPARE(open.windowTitle(), QStringLiteral("顾客开单"));
    QCOMPARE(open.orderNowBox()->text(), QStringLiteral("开单后立即点单"));
    QVERIFY(open.orderNowBox()->isChecked());
    QVERIFY(open.noteEdit()->toPlainText().isEmpty());
    COpenTableDlg change(t.db, COpenTableDlg::Mode::Change, QStringLiteral("A1"));
    QCOMPARE(change.windowTitle(), QStringLiteral("修改登记"));
    QCOMPARE(change.orderNowBox()->text(), QStringLiteral("修改后立即点单"));
}

void TestCOpenTableDlg::guestsFromOneToAThousand_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("guests");
    QTest::newRow("one") << "1" << 1;
    QTest::newRow("a thousand") << "1000" << 1000;
    QTest::newRow("blanks around") << " 6 " << 6;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("too many") << "1001" << 0;
    QTest::newRow("negative") << "-2" << 0;
    QTest::newRow("not a number") << "六" << 0;
    QTest::newRow("empty") << "" << 0;
}

void TestCOpenTableDlg::guestsFromOneToAThousand()
{
    QFETCH(QString, typed);
    QFETCH(int, guests);
    TestDatabase t;
    COpenTableDlg dialog(t.db, COpenTableDlg::Mode::Open, QStringLiteral("A1"));
    dialog.show();
    dialog.guestsEdit()->setText(typed);
    QTest::keyClick(dialog.guestsEdit(), Qt::Key_Return);
    if (guests == 0) {
        QCOMPARE(t.prompt.texts(), QStringList{"顾客人数必须是1到1000之间的整数!"});
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), 0);
    } else {
        QVERIFY(t.prompt.texts().isEmpty());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.guests(), guests);
    }
}

void TestCOpenTableDlg::waiterPickedWithTheKeys()
{
    TestDatabase t;
    addWaiters(t);
    COpenTableDlg dialog(t.db, COpenTableDlg::Mode::Open, QStringLiteral("A1"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    WaiterField* field = dialog.waiterField();
    field->setFocus();
    QTest::keyClicks(field, QStringLiteral("w"));
    QCOMPARE(listed(*field), (QStringList{"1王芳", "3王小明"}));
    // The list lies under the field, the focus stays in the field.
    QVERIFY(field->hasFocus());
    QVERIFY(field->list()->geometry().top() >= field->mapTo(&dialog, QPoint(0, field->height())).y());
    QTest::keyClick(field, Qt::Key_Down);
    QVERIFY(field->list()->hasFocus());
    QTest::keyClick(field->list(), Qt::Key_Down);
    QTest::keyClick(field->list(), Qt::Key_Return);
    QCOMPARE(field->text(), QStringLiteral("王小明"));
    QCOMPARE(dialog.waiter(), 3);
    QVERIFY(!field->list()->isVisible());
    QVERIFY(dialog.noteEdit()->hasFocus());
    QVERIFY(dialog.isVisible());

    // Escape in the list goes back to the field without taking anyone.
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Backspace);
    QCOMPARE(dialog.waiter(), 0);
    QVERIFY(field->list()->isVisible());
    QTest::keyClick(field, Qt::Key_Down);
    QTest::keyClick(field->list(), Qt::Key_Escape);
    QVERIFY(!field->list()->isVisible());
    QVERIFY(field->hasFocus());
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.waiter(), 0);
}

void TestCOpenTableDlg::waiterTypedButNotPickedIsNone()
{
    TestDatabase t;
    addWaiters(t);
    COpenTableDlg dialog(t.db, COpenTableDlg::Mode::Open, QStringLiteral("A1"));
    dialog.show();
    dialog.waiterField()->setFocus();
    dialog.waiterField()->setText(QStringLiteral("李强"));
    QCOMPARE(listed(*dialog.waiterField()), QStringList{"2李强"});
    QTest::keyClick(dialog.waiterField(), Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.waiter(), 0);
}

void TestCOpenTableDlg::waiterButtonListsEveryone()
{
    TestDatabase t;
    addWaiters(t);
    COpenTableDlg dialog(t.db, COpenTableDlg::Mode::Open, QStringLiteral("A1"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QTest::mouseClick(dialog.waiterButton(), Qt::LeftButton);
    QCOMPARE(listed(*dialog.waiterField()), (QStringList{"1王芳", "2李强", "3王小明"}));
    QTreeWidget* list = dialog.waiterField()->list();
    const QPoint at = list->visualItemRect(list->topLevelItem(1)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(at), list->viewport()->mapToGlobal(QPointF(at)),
                      Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(list->viewport(), &twice);
    QCOMPARE(dialog.waiterField()->text(), QStringLiteral("李强"));
    QCOMPARE(dialog.waiter(), 2);
}

void TestCOpenTableDlg::noteAtMostAThousandCharacters()
{
    TestDatabase t;
    COpenTableDlg dialog(t.db, COpenTableDlg::Mode::Open, QStringLiteral("A1"));
    dialog.noteEdit()->setPlainText(QString(999, QChar(u'备')));
    dialog.noteEdit()->moveCursor(QTextCursor::End);
    QTest::keyClicks(dialog.noteEdit(), QStringLiteral("xy"));
    QCOMPARE(dialog.note().size(), 1000);
    QVERIFY(dialog.note().endsWith(QStringLiteral("备x")));
}

void TestCOpenTableDlg::registrationShownForChange()
{
    TestDatabase t;
    addWaiters(t);
    COpenTableDlg dialog(t.db, COpenTableDlg::Mode::Change, QStringLiteral("A1"));
    dialog.setRegistration({6, QStringLiteral("生日宴"), 2, QStringLiteral("李强")});
    QCOMPARE(dialog.guestsEdit()->text(), QStringLiteral("6"));
    QCOMPARE(dialog.note(), QStringLiteral("生日宴"));
    QCOMPARE(dialog.waiterField()->text(), QStringLiteral("李强"));
    QCOMPARE(dialog.waiter(), 2);
    // The preset name opens no list.
    QVERIFY(listed(*dialog.waiterField()).isEmpty());
}

PELVAR_TEST(TestCOpenTableDlg)
#include "tst_COpenTableDlg.moc"
