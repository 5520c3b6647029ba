#include "CBillSplitDlg.h"
#include "Restaurant.h"
#include "TestMain.h"

#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

const QDateTime kOpening(QDate(2026, 12, 6), QTime(18, 0, 0));

QPushButton* button(const QDialog& dialog, const QString& text)
{
    for (QPushButton* b : dialog.findChildren<QPushButton*>())
        if (b->text() == text)
            return b;
    return nullptr;
}

// The tree as "main(other,other)" per group.
QStringList tree(const QTreeWidget* groups)
{
    QStringList out;
    for (int i = 0; i < groups->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* main = groups->topLevelItem(i);
        QStringList others;
        for (int j = 0; j < main->childCount(); ++j)
            others << main->child(j)->text(0);
        out << main->text(0) + QLatin1Char('(') + others.join(QLatin1Char(',')) + QLatin1Char(')');
    }
    return out;
}

QStringList column(const QTreeWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        out << list->topLevelItem(i)->text(0);
    return out;
}

// A1 with A2 and A3 opened together; B1 alone.
struct Floor
{
    explicit Floor(TestDatabase& t) : visits(t)
    {
        visits.tables(QStringLiteral("大厅"), {QStringLiteral("A1"), QStringLiteral("A2"),
                                               QStringLiteral("A3"), QStringLiteral("B1")});
        a1 = visits.open({QStringLiteral("A1"), QStringLiteral("A2"), QStringLiteral("A3")}, kOpening);
        visits.open({QStringLiteral("B1")}, kOpening.addSecs(60));
        before = visits.groupState();
    }
    Restaurant visits;
    QString a1;
    QStringList before;
};

} // namespace

class TestCBillSplitDlg : public QObject
{
    Q_OBJECT
private slots:
    void splitsTheTablesTaken();
    void staysOpen_data();
    void staysOpen();
};

void TestCBillSplitDlg::splitsTheTablesTaken()
{
    TestDatabase t;
    Floor floor(t);
    CBillSplitDlg dialog(t.db);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("拆分账单"));
    QCOMPARE(tree(dialog.groups()), (QStringList{QStringLiteral("A1(A2,A3)"), QStringLiteral("B1()")}));
    QCOMPARE(dialog.splitList()->headerItem()->text(0), QStringLiteral("拆分餐桌名"));
    QPushButton* move = button(dialog, QStringLiteral("→"));
    QVERIFY(move);

    // The main table stays where it is.
    QVERIFY(dialog.groups()->hasFocus());
    QCOMPARE(dialog.groups()->currentItem()->text(0), QStringLiteral("A1"));
    QTest::mouseClick(move, Qt::LeftButton);
    QCOMPARE(t.prompt.texts(), QStringList{QStringLiteral("不能对主餐桌进行此操作!")});
    QCOMPARE(tree(dialog.groups()), (QStringList{QStringLiteral("A1(A2,A3)"), QStringLiteral("B1()")}));
    QCOMPARE(column(dialog.splitList()), QStringList());

    // Down twice reaches A3, which the move button takes out of the tree.
    t.prompt.clear();
    dialog.groups()->setFocus();
    QTest::keyClick(dialog.groups(), Qt::Key_Down);
    QTest::keyClick(dialog.groups(), Qt::Key_Down);
    QCOMPARE(dialog.groups()->currentItem()->text(0), QStringLiteral("A3"));
    QTest::keyClick(dialog.groups(), Qt::Key_Tab);
    QVERIFY(move->hasFocus());
    QTest::keyClick(move, Qt::Key_Space);
    QCOMPARE(tree(dialog.groups()), (QStringList{QStringLiteral("A1(A2)"), QStringLiteral("B1()")}));
    QCOMPARE(column(dialog.splitList()), QStringList{QStringLiteral("A3")});
    QCOMPARE(t.prompt.texts(), QStringList());
    QCOMPARE(floor.visits.groupState(), floor.before);

    t.prompt.answer(Prompt::Answer::Yes);
    QTest::mouseClick(button(dialog, QStringLiteral("拆分")), Qt::LeftButton);
    QCOMPARE(t.prompt.texts(), QStringList{QStringLiteral("确定要拆分此单吗?")});
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const QString a3 = floor.a1 + QLatin1Char('2');
    QCOMPARE(floor.visits.registration(QStringLiteral("A3"), QStringLiteral("zdbh||zdbj")),
             a3 + QLatin1Char('y'));
    QCOMPARE(floor.visits.registration(QStringLiteral("A2"), QStringLiteral("zdbh||zdbj")),
             floor.a1 + QLatin1Char('n'));
}

void TestCBillSplitDlg::staysOpen_data()
{
    QTest::addColumn<bool>("take");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("nothing taken") << false << QStringList();
    QTest::newRow("answered No") << true << QStringList{QStringLiteral("确定要拆分此单吗?")};
}

void TestCBillSplitDlg::staysOpen()
{
    QFETCH(bool, take);
    QFETCH(QStringList, messages);
    TestDatabase t;
    Floor floor(t);
    CBillSplitDlg dialog(t.db);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    if (take) {
        QTest::keyClick(dialog.groups(), Qt::Key_Down);
        QTest::mouseClick(button(dialog, QStringLiteral("→")), Qt::LeftButton);
        QCOMPARE(column(dialog.splitList()), QStringList{QStringLiteral("A2")});
    }
    QTest::mouseClick(button(dialog, QStringLiteral("拆分")), Qt::LeftButton);
    QCOMPARE(t.prompt.texts(), messages);
    QVERIFY(dialog.isVisible());
    QCOMPARE(floor.visits.groupState(), floor.before);

    QTest::mouseClick(button(dialog, QStringLiteral("取消")), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(floor.visits.groupState(), floor.before);
}

PELVAR_TEST(TestCBillSplitDlg)
#include "tst_CBillSplitDlg.moc"
