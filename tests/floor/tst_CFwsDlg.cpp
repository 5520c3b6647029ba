#include "CFwsDlg.h"
#include "Clock.h"
#include "CPrintListReportCtrl.h"
#include "SettingsPageFixture.h"
#include "TestMain.h"
#include "WaiterDialog.h"

#include <memory>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

// The page on a database with the waiter 李四 (number 1).
struct Page : SettingsPageFixture
{
    explicit Page(const QStringList& without = {}) : SettingsPageFixture(without)
    {
        t.exec(QStringLiteral("insert into fws(xm,jp,xb,csrq,lxfs,sfz) "
                              "values('李四','LS','男','1990-05-01 00:00:00','13800000000','110')"));
        page = std::make_unique<CFwsDlg>(t.db, t.prompt, op, printer);
        page->resize(800, 400);
        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page.get()));
    }

    QPoint firstRow() const { return page->list()->visualRect(page->list()->model()->index(0, 0)).center(); }

    void click(const QString& text)
    {
        QPushButton* button = buttonOf(page.get(), text);
        QVERIFY2(button, qPrintable(text));
        button->click();
    }

    QStringList row(int row)
    {
        QStringList texts;
        for (int column = 0; column < page->list()->columnCount(); ++column)
            texts << page->list()->cellText(row, column);
        return texts;
    }

    std::unique_ptr<CFwsDlg> page;
};

} // namespace

class TestCFwsDlg : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Clock::clearFixed(); }
    void everyCommandNeedsTheRight_data();
    void everyCommandNeedsTheRight();
    void addWithInitials();
    void doubleClickChangesAndRecomputesTheInitials();
    void deleteAsksFirst();
};

void TestCFwsDlg::everyCommandNeedsTheRight_data()
{
    QTest::addColumn<QString>("command");
    for (const char* command : {"添加服务生", "修改服务生", "删除服务生", "double click"})
        QTest::newRow(command) << QString::fromUtf8(command);
}

void TestCFwsDlg::everyCommandNeedsTheRight()
{
    QFETCH(QString, command);
    Page p({QStringLiteral("fwsqx")});
    QTest::mouseClick(p.page->list()->viewport(), Qt::LeftButton, {}, p.firstRow());
    p.t.prompt.answer(Prompt::Answer::Yes);
    ModalHandler handler([](QWidget* modal) { modal->close(); });
    if (command == "double click")
        QTest::mouseDClick(p.page->list()->viewport(), Qt::LeftButton, {}, p.firstRow());
    else
        p.click(command);
    QTest::qWait(50);
    QVERIFY(!handler.handled());
    QCOMPARE(p.t.prompt.texts(), QStringList{QStringLiteral("你没有此操作权限!")});
    QCOMPARE(p.t.scalar(QStringLiteral("select xm from fws")), QStringLiteral("李四"));
    QCOMPARE(p.page->list()->rowCount(), 1);
}

void TestCFwsDlg::addWithInitials()
{
    Clock::setFixed(QDateTime(QDate(2026, 12, 6), QTime(9, 0)));
    Page p;
    QStringList texts;
    ModalHandler handler([&](QWidget* modal) {
        auto* dialog = qobject_cast<WaiterDialog*>(modal);
        QVERIFY(dialog);
        QCOMPARE(dialog->birthDateEdit()->date(), QDate(2026, 12, 6));
        QCOMPARE(QApplication::focusWidget(), dialog->nameEdit());
        // No name: refused, and the name takes the focus back.
        QTest::keyClick(dialog->nameEdit(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        texts = p.t.prompt.texts();
        QVERIFY(dialog->isVisible());
        QCOMPARE(QApplication::focusWidget(), dialog->nameEdit());
        typeText(dialog->nameEdit(), QStringLiteral("王小红"));
        dialog->sexBox()->setCurrentIndex(1);
        dialog->birthDateEdit()->setDate(QDate(1998, 3, 14));
        QTest::keyClicks(dialog->contactEdit(), QStringLiteral("139"));
        QTest::keyClicks(dialog->idCardEdit(), QStringLiteral("3201"));
        QTest::keyClick(dialog->idCardEdit(), Qt::Key_Return);
    });
    p.click(QStringLiteral("添加服务生"));
    QVERIFY(handler.handled());
    QCOMPARE(texts, QStringList{QStringLiteral("服务生姓名不能为空!")});
    QCOMPARE(p.page->list()->rowCount(), 2);
    QCOMPARE(p.row(1), (QStringList{"2", "王小红", "WXH", "女", "139", "3201", "1998-03-14"}));
    QCOMPARE(p.t.scalar(QStringLiteral("select jp||xb||csrq from fws where id=2")),
             QStringLiteral("WXH女1998-03-14"));
}

void TestCFwsDlg::doubleClickChangesAndRecomputesTheInitials()
{
    Page p;
    ModalHandler handler([](QWidget* modal) {
        auto* dialog = qobject_cast<WaiterDialog*>(modal);
        QVERIFY(dialog);
        QCOMPARE(dialog->nameEdit()->text(), QStringLiteral("李四"));
        QCOMPARE(dialog->birthDateEdit()->date(), QDate(1990, 5, 1));
        QCOMPARE(dialog->contactEdit()->text(), QStringLiteral("13800000000"));
        dialog->nameEdit()->selectAll();
        typeText(dialog->nameEdit(), QStringLiteral("赵六"));
        QTest::keyClick(dialog->nameEdit(), Qt::Key_Return);
    });
    // A double click's first click, then the second.
    QTest::mouseClick(p.page->list()->viewport(), Qt::LeftButton, {}, p.firstRow());
    QTest::mouseDClick(p.page->list()->viewport(), Qt::LeftButton, {}, p.firstRow());
    QVERIFY(handler.handled());
    QCOMPARE(p.row(0), (QStringList{"1", "赵六", "ZL", "男", "13800000000", "110", "1990-05-01"}));
    QCOMPARE(p.t.scalar(QStringLiteral("select xm||jp from fws where id=1")), QStringLiteral("赵六ZL"));
}

void TestCFwsDlg::deleteAsksFirst()
{
    Page p;
    p.t.exec(QStringLiteral("insert into dj(djbh,czm,fjm,xfzt,fws) values('1','T1','大厅','1',1)"));
    p.click(QStringLiteral("修改服务生"));
    QCOMPARE(p.t.prompt.texts(), QStringList{QStringLiteral("请选定要修改的服务生!")});
    p.t.prompt.clear();

    QTest::mouseClick(p.page->list()->viewport(), Qt::LeftButton, {}, p.firstRow());
    p.t.prompt.answer(Prompt::Answer::No);
    p.click(QStringLiteral("删除服务生"));
    QCOMPARE(p.page->list()->rowCount(), 1);
    QCOMPARE(p.t.scalar(QStringLiteral("select count(*) from fws")), QStringLiteral("1"));

    p.t.prompt.answer(Prompt::Answer::Yes);
    p.click(QStringLiteral("删除服务生"));
    QCOMPARE(p.t.prompt.texts(), QStringList(2, QStringLiteral("你真的要删除此服务生吗，删除后不可恢复?")));
    QCOMPARE(p.page->list()->rowCount(), 0);
    QCOMPARE(p.t.scalar(QStringLiteral("select count(*) from fws")), QStringLiteral("0"));
    // The visit the waiter served keeps the number.
    QCOMPARE(p.t.scalar(QStringLiteral("select fws from dj")), QStringLiteral("1"));
}

PELVAR_TEST(TestCFwsDlg)
#include "tst_CFwsDlg.moc"
