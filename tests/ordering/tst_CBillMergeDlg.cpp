#include "CBillMergeDlg.h"
#include "Restaurant.h"
#include "TestMain.h"

#include <QLineEdit>
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

// A list's rows as "number:table".
QStringList rows(const QTreeWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        out << list->topLevelItem(i)->text(0) + QLatin1Char(':') + list->topLevelItem(i)->text(1);
    return out;
}

void doubleClick(QTreeWidget* list, int row)
{
    const QPoint at = list->visualItemRect(list->topLevelItem(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

// A1 alone, B1 with B2, C1 alone.
struct Floor
{
    explicit Floor(TestDatabase& t) : visits(t)
    {
        visits.tables(QStringLiteral("大厅"), {QStringLiteral("A1"), QStringLiteral("B1"),
                                               QStringLiteral("B2"), QStringLiteral("C1")});
        a1 = visits.open({QStringLiteral("A1")}, kOpening);
        b1 = visits.open({QStringLiteral("B1"), QStringLiteral("B2")}, kOpening.addSecs(60));
        c1 = visits.open({QStringLiteral("C1")}, kOpening.addSecs(120));
        before = visits.groupState();
    }
    Restaurant visits;
    QString a1, b1, c1;
    QStringList before;
};

} // namespace

Q_DECLARE_METATYPE(Prompt::Answer)

class TestCBillMergeDlg : public QObject
{
    Q_OBJECT
private slots:
    void mergesByDoubleClick();
    void arrowButtonsAndTheMainTable();
    void closesWithoutChange_data();
    void closesWithoutChange();
};

void TestCBillMergeDlg::mergesByDoubleClick()
{
    TestDatabase t;
    Floor floor(t);
    CBillMergeDlg dialog(t.db, QStringLiteral("A1"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("合并账单"));
    QCOMPARE(dialog.inStore()->headerItem()->text(0), QStringLiteral("登记编号"));
    QCOMPARE(dialog.toMerge()->headerItem()->text(1), QStringLiteral("餐桌名"));
    QCOMPARE(rows(dialog.toMerge()), QStringList{floor.a1 + QStringLiteral(":A1")});
    QCOMPARE(rows(dialog.inStore()),
             (QStringList{floor.b1 + QStringLiteral(":B1"), floor.c1 + QStringLiteral(":C1")}));
    QCOMPARE(dialog.mainTable()->text(), QStringLiteral("A1"));
    QVERIFY(dialog.mainTable()->isReadOnly());

    doubleClick(dialog.inStore(), 0);
    QCOMPARE(rows(dialog.toMerge()),
             (QStringList{floor.a1 + QStringLiteral(":A1"), floor.b1 + QStringLiteral(":B1")}));
    QCOMPARE(rows(dialog.inStore()), QStringList{floor.c1 + QStringLiteral(":C1")});
    QCOMPARE(dialog.mainTable()->text(), QStringLiteral("A1"));
    QCOMPARE(floor.visits.groupState(), floor.before);

    t.prompt.answer(Prompt::Answer::Yes);
    QTest::mouseClick(button(dialog, QStringLiteral("合并")), Qt::LeftButton);
    QCOMPARE(t.prompt.texts(), QStringList{QStringLiteral("确定要合并此单吗?")});
    QVERIFY(!dialog.isVisible());
    QCOMPARE(floor.visits.groupState(),
             (QStringList{QStringLiteral("A1:%1:y").arg(floor.a1), QStringLiteral("B1:%1:0").arg(floor.a1),
                          QStringLiteral("B2:%1:0").arg(floor.a1), QStringLiteral("C1:%1:y").arg(floor.c1)}));
}

void TestCBillMergeDlg::arrowButtonsAndTheMainTable()
{
    TestDatabase t;
    Floor floor(t);
    // B2 belongs to B1's group: nothing starts in the merge list.
    CBillMergeDlg dialog(t.db, QStringLiteral("B2"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(rows(dialog.toMerge()), QStringList());
    QCOMPARE(dialog.mainTable()->text(), QString());
    QCOMPARE(rows(dialog.inStore()),
             (QStringList{floor.a1 + QStringLiteral(":A1"), floor.b1 + QStringLiteral(":B1"),
                          floor.c1 + QStringLiteral(":C1")}));

    // The keyboard picks C1, the right arrow moves it: it is the main table.
    QVERIFY(dialog.inStore()->hasFocus());
    QCOMPARE(dialog.inStore()->currentItem()->text(1), QStringLiteral("A1"));
    QTest::keyClick(dialog.inStore(), Qt::Key_Down);
    QTest::keyClick(dialog.inStore(), Qt::Key_Down);
    QTest::mouseClick(button(dialog, QStringLiteral("→")), Qt::LeftButton);
    QCOMPARE(dialog.mainTable()->text(), QStringLiteral("C1"));
    // The next row to move is where C1 was: B1.
    QCOMPARE(dialog.inStore()->currentItem()->text(1), QStringLiteral("B1"));
    QTest::mouseClick(button(dialog, QStringLiteral("→")), Qt::LeftButton);
    QCOMPARE(rows(dialog.toMerge()),
             (QStringList{floor.c1 + QStringLiteral(":C1"), floor.b1 + QStringLiteral(":B1")}));

    // Taking the first row back leaves B1 first, and the field names the table that will be kept.
    dialog.toMerge()->setCurrentItem(dialog.toMerge()->topLevelItem(0));
    QTest::mouseClick(button(dialog, QStringLiteral("←")), Qt::LeftButton);
    QCOMPARE(rows(dialog.toMerge()), QStringList{floor.b1 + QStringLiteral(":B1")});
    QCOMPARE(dialog.mainTable()->text(), QStringLiteral("B1"));
    doubleClick(dialog.toMerge(), 0);
    QCOMPARE(rows(dialog.toMerge()), QStringList());
    QCOMPARE(dialog.mainTable()->text(), QString());
    QCOMPARE(rows(dialog.inStore()),
             (QStringList{floor.a1 + QStringLiteral(":A1"), floor.c1 + QStringLiteral(":C1"),
                          floor.b1 + QStringLiteral(":B1")}));
    QCOMPARE(t.prompt.texts(), QStringList());
    QCOMPARE(floor.visits.groupState(), floor.before);
}

void TestCBillMergeDlg::closesWithoutChange_data()
{
    QTest::addColumn<int>("added");
    QTest::addColumn<Prompt::Answer>("answer");
    QTest::addColumn<QStringList>("messages");
    const QStringList question{QStringLiteral("确定要合并此单吗?")};
    QTest::newRow("answered No") << 1 << Prompt::Answer::No << question;
    QTest::newRow("one group") << 0 << Prompt::Answer::Yes << question;
}

void TestCBillMergeDlg::closesWithoutChange()
{
    QFETCH(int, added);
    QFETCH(Prompt::Answer, answer);
    QFETCH(QStringList, messages);
    TestDatabase t;
    Floor floor(t);
    CBillMergeDlg dialog(t.db, QStringLiteral("A1"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    for (int i = 0; i < added; ++i)
        QTest::mouseClick(button(dialog, QStringLiteral("→")), Qt::LeftButton);
    QCOMPARE(dialog.toMerge()->topLevelItemCount(), 1 + added);
    t.prompt.answer(answer);
    QTest::mouseClick(button(dialog, QStringLiteral("合并")), Qt::LeftButton);
    QCOMPARE(t.prompt.texts(), messages);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(floor.visits.groupState(), floor.before);
}

PELVAR_TEST(TestCBillMergeDlg)
#include "tst_CBillMergeDlg.moc"
