#include "Clock.h"
#include "CTableChangeDlg.h"
#include "Restaurant.h"
#include "TestMain.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

namespace {

const QDateTime kNow(QDate(2026, 12, 6), QTime(19, 0, 0));

QStringList items(const QComboBox* box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

// 大厅 with A1 (open, two lines) and A2 occupied; 包间 with B1 reserved for tonight's dinner shift,
// B2 reserved for tomorrow, B3 free.
struct Floor
{
    explicit Floor(TestDatabase& t) : visits(t)
    {
        visits.tables(QStringLiteral("大厅"), {QStringLiteral("A1"), QStringLiteral("A2")});
        visits.tables(QStringLiteral("包间"),
                      {QStringLiteral("B1"), QStringLiteral("B2"), QStringLiteral("B3")});
        t.exec(QStringLiteral(
            "insert into yybc (bcmc,qssj,jssj) values ('晚餐',#2010-01-01 17:0:0#,#2010-01-01 21:0:0#)"));
        visits.open({QStringLiteral("A2")}, kNow.addSecs(-3600));
        visits.open({QStringLiteral("A1")}, kNow.addSecs(-1800), 3);
        visits.line(QStringLiteral("A1"), QStringLiteral("宫保鸡丁"), 1, 28);
        visits.line(QStringLiteral("A1"), QStringLiteral("米饭"), 3, 2);
        visits.book(QStringLiteral("20261201100000"), QStringLiteral("B1"), 1,
                    QDateTime(kNow.date(), QTime(18, 30)));
        visits.book(QStringLiteral("20261201100000"), QStringLiteral("B2"), 1,
                    QDateTime(kNow.date().addDays(1), QTime(18, 30)));
    }
    Restaurant visits;
};

} // namespace

class TestCTableChangeDlg : public QObject
{
    Q_OBJECT
private slots:
    void init() { Clock::setFixed(kNow); }
    void cleanup() { Clock::clearFixed(); }

    void movesByKeyboard();
    void staysOpenWithoutTarget();
    void cancelMovesNothing();
};

void TestCTableChangeDlg::movesByKeyboard()
{
    TestDatabase t;
    Floor floor(t);
    CTableChangeDlg dialog(t.db, QStringLiteral("A1"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("更换餐桌"));
    QCOMPARE(dialog.findChild<QLineEdit*>()->text(), QStringLiteral("A1"));
    QVERIFY(dialog.findChild<QLineEdit*>()->isReadOnly());
    QCOMPARE(items(dialog.rooms()), (QStringList{QStringLiteral("大厅"), QStringLiteral("包间")}));
    QCOMPARE(items(dialog.targets()), QStringList());

    // The room box has the keyboard: the next room offers its free tables but the one reserved now.
    QVERIFY(dialog.rooms()->hasFocus());
    QTest::keyClick(dialog.rooms(), Qt::Key_Down);
    QCOMPARE(items(dialog.targets()), (QStringList{QStringLiteral("B2"), QStringLiteral("B3")}));
    QCOMPARE(dialog.targets()->currentText(), QStringLiteral("B2"));
    QTest::keyClick(dialog.rooms(), Qt::Key_Tab);
    QVERIFY(dialog.targets()->hasFocus());
    QTest::keyClick(dialog.targets(), Qt::Key_Down);
    QTest::keyClick(dialog.targets(), Qt::Key_Return);

    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(t.prompt.texts(), QStringList());
    QCOMPARE(floor.visits.field(QStringLiteral("cz"), QStringLiteral("zyzt||'/'||yzrs||'/'||xfhj"),
                                QStringLiteral("czm='B3'")),
             QStringLiteral("占用/3/34.0"));
    QCOMPARE(floor.visits.field(QStringLiteral("cz"), QStringLiteral("zyzt"), QStringLiteral("czm='A1'")),
             QStringLiteral("空闲"));
    QCOMPARE(floor.visits.registration(QStringLiteral("B3"), QStringLiteral("rs")), QStringLiteral("3"));
    QCOMPARE(t.scalar(QStringLiteral("select group_concat(czm) from xfmx")), QStringLiteral("B3,B3"));
}

void TestCTableChangeDlg::staysOpenWithoutTarget()
{
    TestDatabase t;
    Floor floor(t);
    CTableChangeDlg dialog(t.db, QStringLiteral("A1"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    // Every table of 大厅 is occupied: OK does nothing and says nothing.
    QTest::keyClick(dialog.rooms(), Qt::Key_Return);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(t.prompt.texts(), QStringList());
    QCOMPARE(floor.visits.registration(QStringLiteral("A1"), QStringLiteral("rs")), QStringLiteral("3"));
}

void TestCTableChangeDlg::cancelMovesNothing()
{
    TestDatabase t;
    Floor floor(t);
    CTableChangeDlg dialog(t.db, QStringLiteral("A1"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(dialog.rooms(), Qt::Key_Down);
    QTest::keyClick(dialog.rooms(), Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(floor.visits.field(QStringLiteral("cz"), QStringLiteral("zyzt"), QStringLiteral("czm='B2'")),
             QStringLiteral("空闲"));
    QCOMPARE(t.scalar(QStringLiteral("select group_concat(czm) from xfmx")), QStringLiteral("A1,A1"));
}

PELVAR_TEST(TestCTableChangeDlg)
#include "tst_CTableChangeDlg.moc"
