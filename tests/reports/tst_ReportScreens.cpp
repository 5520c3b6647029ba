#include "CCwGlDlg.h"
#include "CDjCxDlg.h"
#include "CFwsTjDlg.h"
#include "Clock.h"
#include "CPrintListReportCtrl.h"
#include "CSrZcDlg.h"
#include "CXfCxDlg.h"
#include "CXmCxDlg.h"
#include "CXsTjDlg.h"
#include "ModalDialogs.h"
#include "Restaurant.h"
#include "SettingsPageFixture.h"
#include "TestMain.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

// Yesterday's visit to A1, settled; the screens open today at 14:00.
struct Screens
{
    Screens() : r(Restaurant::withMenu(t))
    {
        Clock::setFixed(QDateTime(QDate(2026, 12, 7), QTime(14, 0)));
        r.seat(QStringLiteral("A1"));
        r.order(QStringLiteral("A1"), QStringLiteral("鱼香肉丝"), 2);
        r.checkout(QStringLiteral("A1"), QStringLiteral("B1"));
    }
    ~Screens() { Clock::clearFixed(); }
    void show(QDialog& dialog, QDateEdit* start, QDateEdit* end)
    {
        start->setDate(QDate(2026, 12, 6));
        end->setDate(QDate(2026, 12, 6));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
    }
    TestDatabase t;
    Restaurant r;
    DefaultPrinter printer;
};

} // namespace

class TestReportScreens : public QObject
{
    Q_OBJECT
private slots:
    void salesRunOnEnter();
    void waiterSalesChooseItems();
    void financeEntryThenDetail();
    void registrationModify();
    void queriesFillOnOpeningAndTyping();
};

void TestReportScreens::salesRunOnEnter()
{
    Screens s;
    CXsTjDlg dialog(s.t.db, s.t.prompt, s.printer, QStringLiteral("张三"), SalesStatistics::Mode::Category);
    s.show(dialog, dialog.startDate(), dialog.endDate());
    QTest::keyClick(dialog.endDate(), Qt::Key_Return);
    QCOMPARE(dialog.list()->rowCount(), 2);
    QCOMPARE(dialog.list()->cellText(0, 3), QStringLiteral("56.00"));
    QVERIFY(dialog.list()->content().printLine.endsWith(QStringLiteral("操作员:张三")));
}

void TestReportScreens::waiterSalesChooseItems()
{
    Screens s;
    CFwsTjDlg dialog(s.t.db, s.t.prompt, s.printer, QStringLiteral("张三"));
    s.show(dialog, dialog.startDate(), dialog.endDate());
    whenModal([](QWidget* picker) {
        picker->findChild<QListWidget*>()->item(1)->setCheckState(Qt::Checked);
        buttonOf(picker, QStringLiteral("确定"))->click();
    });
    buttonOf(&dialog, QStringLiteral("指定项目"))->click();
    QCOMPARE(dialog.chosenItems(), QStringList{"红烧肉"});
    QCOMPARE(dialog.heading()->text(), QStringLiteral("服务生销售统计(指定项目)"));
    whenModal([](QWidget* picker) { static_cast<QDialog*>(picker)->reject(); });
    buttonOf(&dialog, QStringLiteral("指定项目"))->click();
    QVERIFY(dialog.chosenItems().isEmpty());
    QCOMPARE(dialog.heading()->text(), QStringLiteral("服务生销售统计(所有项目)"));
}

void TestReportScreens::financeEntryThenDetail()
{
    Screens s;
    CCwGlDlg dialog(s.t.db, s.t.prompt, s.printer, QStringLiteral("张三"), s.t.folder());
    s.show(dialog, dialog.startDate(), dialog.endDate());
    dialog.endDate()->setDate(QDate(2026, 12, 7));
    bool refocused = false;
    whenModal([&refocused](QWidget* modal) {
        auto* entry = static_cast<CSrZcDlg*>(modal);
        QCOMPARE(entry->windowTitle(), QStringLiteral("增加支出"));
        typeIn(entry->name()->lineEdit(), QStringLiteral("房租"));
        entry->person()->setText(QStringLiteral("张三"));
        QTest::keyClick(entry->amount(), Qt::Key_Return);
        refocused = QApplication::focusWidget() == entry->amount();
        entry->amount()->setText(QStringLiteral("50"));
        QTest::keyClick(entry->amount(), Qt::Key_Return);
    });
    buttonOf(&dialog, QStringLiteral("增加支出"))->click();
    QVERIFY(refocused);
    QCOMPARE(s.t.prompt.texts(), QStringList{"金额必须大于零!"});
    QCOMPARE(dialog.list()->cellText(4, 0), QStringLiteral("    房租"));
    dialog.list()->selectRow(4);
    QCOMPARE(dialog.detailList()->rowCount(), 1);
    QCOMPARE(dialog.detailList()->cellText(0, 1), QStringLiteral("-50.00"));
}

void TestReportScreens::registrationModify()
{
    Screens s;
    QStringList changed;
    CDjCxDlg dialog(s.t.db, s.t.prompt, s.printer, QStringLiteral("张三"),
                    {[](QWidget* parent) { return new QLineEdit(parent); }, [](QLineEdit*) { return 0; },
                     [&changed](const QString& registration, int waiter, QWidget*) {
                         changed << registration + QLatin1Char('/') + QString::number(waiter);
                         return true;
                     }});
    s.show(dialog, dialog.startDate(), dialog.endDate());
    buttonOf(&dialog, QStringLiteral("查询(&Q)"))->click();
    QCOMPARE(dialog.list()->rowCount(), 2);
    buttonOf(&dialog, QStringLiteral("修改(&M)"))->click();
    QCOMPARE(s.t.prompt.texts(), QStringList{"请选定登记记录!"});
    dialog.list()->selectRow(0);
    buttonOf(&dialog, QStringLiteral("修改(&M)"))->click();
    QCOMPARE(changed, QStringList{"R-A1/0"});
}

void TestReportScreens::queriesFillOnOpeningAndTyping()
{
    Screens s;
    CXfCxDlg gone(s.t.db, s.t.prompt, s.printer, QStringLiteral("张三"), ConsumptionQuery::Mode::Gone);
    s.show(gone, gone.startDate(), gone.endDate());
    QVERIFY(gone.kind()->isHidden());
    QTest::keyClicks(gone.textField(), QStringLiteral("B1"));
    QTest::keyClick(gone.textField(), Qt::Key_Return);
    QCOMPARE(gone.list()->rowCount(), 2);
    CXmCxDlg items(s.t.db, s.t.prompt, s.printer, QStringLiteral("张三"));
    QCOMPARE(items.list()->rowCount(), 5);
    typeIn(items.textField(), QStringLiteral("红"));
    QCOMPARE(items.list()->rowCount(), 1);
}

PELVAR_TEST(TestReportScreens)
#include "tst_ReportScreens.moc"
