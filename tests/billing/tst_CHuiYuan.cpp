#include "CHuiYuan.h"
#include "Clock.h"
#include "CPrintListReportCtrl.h"
#include "DefaultPrinter.h"
#include "MemberDialog.h"
#include "MemberLevelDialog.h"
#include "MemberQueryDialog.h"
#include "ModalDialogs.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <functional>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

QStringList column(const CPrintListReportCtrl* list, int column)
{
    QStringList texts;
    for (int row = 0; row < list->rowCount(); ++row)
        texts << list->cellText(row, column);
    return texts;
}

} // namespace

class TestCHuiYuan : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void changesPassTheGateFirst_data();
    void changesPassTheGateFirst();
    void memberWithALevel();
    void levelRatioRuleKeepsTheDialogOpen();
    void levelInUseIsKept();
    void searchAndShowAll();
    void queryDialogListsAndPrints();

private:
    void makePage();

    TestDatabase* m_t = nullptr;
    DefaultPrinter* m_printer = nullptr;
    CHuiYuan* m_page = nullptr;
    int m_checks = 0;
    bool m_allowed = true;
};

void TestCHuiYuan::init()
{
    m_t = new TestDatabase;
    m_printer = new DefaultPrinter;
    m_checks = 0;
    m_allowed = true;
}

void TestCHuiYuan::cleanup()
{
    Clock::clearFixed();
    delete m_page;
    m_page = nullptr;
    delete m_printer;
    delete m_t;
}

void TestCHuiYuan::makePage()
{
    delete m_page;
    m_page = new CHuiYuan(m_t->db, m_t->prompt, *m_printer, QStringLiteral("张三"),
                          [this] { return ++m_checks, m_allowed; });
    m_page->resize(900, 700);
}

void TestCHuiYuan::changesPassTheGateFirst_data()
{
    QTest::addColumn<bool>("memberButton");
    QTest::addColumn<QString>("text");
    for (const char* text : {"增加", "修改", "删除"}) {
        QTest::addRow("member %s", text) << true << QString::fromUtf8(text);
        QTest::addRow("level %s", text) << false << QString::fromUtf8(text);
    }
}

void TestCHuiYuan::changesPassTheGateFirst()
{
    QFETCH(bool, memberButton);
    QFETCH(QString, text);
    m_t->exec(QStringLiteral("insert into hydj (djmc, zq) values ('金卡', 0.8)"));
    m_t->exec(QStringLiteral("insert into hy (xm, hydj) values ('李四', 1)"));
    makePage();
    m_page->memberList()->selectRow(0);
    m_page->levelList()->selectRow(0);
    m_allowed = false;
    m_t->prompt.fallback = Prompt::Answer::Yes;

    bool opened = false;
    QTimer::singleShot(0, [&opened] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened = true;
            modal->close();
        }
    });
    QPushButton* button = memberButton ? m_page->memberButton(text) : m_page->levelButton(text);
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
    QCoreApplication::processEvents();

    QVERIFY(!opened);
    QCOMPARE(m_checks, 1);
    QCOMPARE(m_t->prompt.texts(), QStringList());
    QCOMPARE(m_t->scalar(QStringLiteral("select count(*) from hy")), QStringLiteral("1"));
    QCOMPARE(m_t->scalar(QStringLiteral("select zq from hydj")), QStringLiteral("0.8"));
}

void TestCHuiYuan::memberWithALevel()
{
    makePage();
    whenModal([](QWidget* modal) {
        auto* dialog = qobject_cast<MemberLevelDialog*>(modal);
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("增加会员等级"));
        typeIn(dialog->nameEdit(), QStringLiteral("金卡"));
        QTest::keyClick(dialog->nameEdit(), Qt::Key_Tab);
        QTest::keyClicks(dialog->ratioEdit(), QStringLiteral("0.85"));
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    QTest::mouseClick(m_page->levelButton(QStringLiteral("增加")), Qt::LeftButton);
    QCOMPARE(m_t->prompt.texts(), QStringList{QStringLiteral("更新成功!")});
    QCOMPARE(column(m_page->levelList(), MemberLevelSettings::Name), QStringList{QStringLiteral("金卡")});

    whenModal([](QWidget* modal) {
        auto* dialog = qobject_cast<MemberDialog*>(modal);
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("增加会员"));
        QTRY_VERIFY(dialog->nameEdit()->hasFocus());
        typeIn(dialog->nameEdit(), QStringLiteral("王小明"));
        QTest::keyClick(dialog->nameEdit(), Qt::Key_Tab);
        QCOMPARE(dialog->initialsEdit()->text(), QStringLiteral("WXM"));
        QCOMPARE(dialog->levelBox()->currentText(), QStringLiteral("金卡  0.85"));
        dialog->birthdayEdit()->setDate(QDate(1990, 3, 4));
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    QTest::mouseClick(m_page->memberButton(QStringLiteral("增加")), Qt::LeftButton);
    QCOMPARE(m_t->scalar(QStringLiteral("select xm || ' ' || xmpy || ' ' || substr(sr, 1, 10) || ' ' || hydj "
                                        "from hy")),
             QStringLiteral("王小明 WXM 1990-03-04 1"));
    const CPrintListReportCtrl* members = m_page->memberList();
    QCOMPARE(members->rowCount(), 1);
    QCOMPARE(members->cellText(0, MemberSettings::Level), QStringLiteral("金卡"));
    QCOMPARE(members->cellText(0, MemberSettings::Ratio), QStringLiteral("0.85"));
    QCOMPARE(members->cellText(0, MemberSettings::Birthday), QStringLiteral("1990-03-04"));

    // A changed level shows in the member's row.
    m_page->levelList()->selectRow(0);
    whenModal([](QWidget* modal) {
        auto* dialog = qobject_cast<MemberLevelDialog*>(modal);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("修改会员等级"));
        QCOMPARE(dialog->ratioEdit()->text(), QStringLiteral("0.85"));
        dialog->ratioEdit()->setText(QStringLiteral("0.7"));
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    QTest::mouseClick(m_page->levelButton(QStringLiteral("修改")), Qt::LeftButton);
    QCOMPARE(members->cellText(0, MemberSettings::Ratio), QStringLiteral("0.70"));
}

void TestCHuiYuan::levelRatioRuleKeepsTheDialogOpen()
{
    makePage();
    QStringList seen;
    whenModal([&seen, this](QWidget* modal) {
        auto* dialog = qobject_cast<MemberLevelDialog*>(modal);
        typeIn(dialog->nameEdit(), QStringLiteral("银卡"));
        dialog->ratioEdit()->setText(QStringLiteral("1.2"));
        QTest::keyClick(dialog, Qt::Key_Return);
        seen << QString::number(dialog->isVisible()) << QString::number(dialog->ratioEdit()->hasFocus())
             << m_t->prompt.last();
        dialog->ratioEdit()->setText(QStringLiteral("1"));
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    QTest::mouseClick(m_page->levelButton(QStringLiteral("增加")), Qt::LeftButton);
    QCOMPARE(seen, (QStringList{QStringLiteral("1"), QStringLiteral("1"),
                                QStringLiteral("折扣非法,大于0并且小于等于1!")}));
    QCOMPARE(m_t->scalar(QStringLiteral("select djmc || zq from hydj")), QStringLiteral("银卡1.0"));
}

void TestCHuiYuan::levelInUseIsKept()
{
    m_t->exec(QStringLiteral("insert into hydj (djmc, zq) values ('金卡', 0.8), ('银卡', 0.9)"));
    m_t->exec(QStringLiteral("insert into hy (xm, hydj) values ('李四', 1)"));
    makePage();
    m_page->levelList()->selectRow(0);
    QTest::mouseClick(m_page->levelButton(QStringLiteral("删除")), Qt::LeftButton);
    m_page->levelList()->selectRow(1);
    QTest::mouseClick(m_page->levelButton(QStringLiteral("删除")), Qt::LeftButton);
    QCOMPARE(m_t->prompt.texts(), QStringList(2, QStringLiteral("删除成功，已经使用的等级不会被删除!")));
    QCOMPARE(column(m_page->levelList(), MemberLevelSettings::Name), QStringList{QStringLiteral("金卡")});
    QCOMPARE(m_page->memberList()->rowCount(), 1);
}

void TestCHuiYuan::searchAndShowAll()
{
    m_t->exec(QStringLiteral("insert into hydj (djmc, zq) values ('金卡', 0.8)"));
    m_t->exec(QStringLiteral("insert into hy (xm, xmpy, hydj, kh) values ('李四', 'LS', 1, '900'), "
                             "('王五', 'WW', 1, '100')"));
    makePage();
    QTest::keyClicks(m_page->searchBox(), QStringLiteral("1"));
    // Member 1 by number, member 2 by card.
    QCOMPARE(column(m_page->memberList(), MemberSettings::Name),
             (QStringList{QStringLiteral("李四"), QStringLiteral("王五")}));
    QTest::keyClicks(m_page->searchBox(), QStringLiteral("0"));
    QCOMPARE(column(m_page->memberList(), MemberSettings::Name), QStringList{QStringLiteral("王五")});
    QPushButton* all = nullptr;
    for (QPushButton* button : m_page->findChildren<QPushButton*>())
        if (button->text() == QStringLiteral("全部显示"))
            all = button;
    QVERIFY(all);
    QTest::mouseClick(all, Qt::LeftButton);
    QCOMPARE(m_page->memberList()->rowCount(), 2);
    QVERIFY(m_page->searchBox()->text().isEmpty());
}

void TestCHuiYuan::queryDialogListsAndPrints()
{
    Clock::setFixed(QDateTime(QDate(2026, 12, 6), QTime(21, 0, 9)));
    m_t->exec(QStringLiteral("insert into hydj (djmc, zq) values ('金卡', 0.8)"));
    m_t->exec(QStringLiteral("insert into hy (xm, xmpy, hydj) values ('李四', 'LS', 1), ('王五', 'WW', 1)"));
    MemberQueryDialog dialog(m_t->db, m_t->prompt, *m_printer, QStringLiteral("张三"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("会员查询"));
    QCOMPARE(dialog.list()->rowCount(), 2);
    QTest::keyClicks(dialog.searchBox(), QStringLiteral("w"));
    QCOMPARE(column(dialog.list(), MemberSettings::Name), QStringList{QStringLiteral("王五")});

    bool previewed = false;
    whenModal([&previewed](QWidget* modal) {
        previewed = true;
        modal->close();
    });
    dialog.print();
    QVERIFY(previewed);
    const ReportContent report = dialog.list()->content();
    QCOMPARE(report.title, QStringLiteral("会员信息表"));
    QCOMPARE(report.printLine, QStringLiteral("打印时间:2026年12月6日 21时0分9秒              操作员:张三"));
}

PELVAR_TEST(TestCHuiYuan)
#include "tst_CHuiYuan.moc"
