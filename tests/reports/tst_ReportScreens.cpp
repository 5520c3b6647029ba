#include "CCwGlDlg.h"
#include "CDjCxDlg.h"
#include "CFwsTjDlg.h"
#include "Clock.h"
#include "CPrintListReportCtrl.h"
#include "CSrZcDlg.h"
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

// A visit to A1 settled this morning; the screens open at 14:00.
struct Screens
{
    Screens() : r(Restaurant::withMenu(t))
    {
        Clock::setFixed(QDateTime(QDate(2026, 12, 6), QTime(14, 0)));
        r.seat(QStringLiteral("A1"));
        r.order(QStringLiteral("A1"), QStringLiteral("鱼香肉丝"), 2);
        r.checkout(QStringLiteral("A1"));
    }
    ~Screens() { Clock::clearFixed(); }
    void show(QDialog& dialog)
    {
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
    }
    TestDatabase t;
    Restaurant r;
    DefaultPrinter printer;
    const QString op = QStringLiteral("张三");
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
};

void TestReportScreens::salesRunOnEnter()
{
    Screens s;
    CXsTjDlg dialog(s.t.db, s.t.prompt, s.printer, s.op, SalesStatistics::Mode::Category);
    s.show(dialog);
    QTest::keyClick(dialog.endDate(), Qt::Key_Return);
    QCOMPARE(dialog.list()->rowCount(), 2);
    QVERIFY(dialog.list()->content().printLine.endsWith(QStringLiteral("操作员:张三")));
}

void TestReportScreens::waiterSalesChooseItems()
{
    Screens s;
    CFwsTjDlg dialog(s.t.db, s.t.prompt, s.printer, s.op);
    s.show(dialog);
    whenModal([](QWidget* picker) {
        picker->findChild<QListWidget*>()->item(1)->setCheckState(Qt::Checked);
        buttonOf(picker, QStringLiteral("确定"))->click();
    });
    buttonOf(&dialog, QStringLiteral("指定项目"))->click();
    QCOMPARE(dialog.chosenItems(), QStringList{"红烧肉"});
    QCOMPARE(dialog.heading()->text(), QStringLiteral("服务生销售统计(指定项目)"));
    whenModal([](QWidget* picker) { static_cast<QDialog*>(picker)->reject(); });
    buttonOf(&dialog, QStringLiteral("指定项目"))->click();
    QCOMPARE(dialog.heading()->text(), QStringLiteral("服务生销售统计(所有项目)"));
}

// A refused entry keeps the dialog open with the focus on the field; a saved one shows in the
// statement at once, and its line lists it.
void TestReportScreens::financeEntryThenDetail()
{
    Screens s;
    CCwGlDlg dialog(s.t.db, s.t.prompt, s.printer, s.op, s.t.folder());
    s.show(dialog);
    bool refocused = false;
    whenModal([&refocused](QWidget* modal) {
        auto* entry = static_cast<CSrZcDlg*>(modal);
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
    QCOMPARE(dialog.detailList()->cellText(0, 1), QStringLiteral("-50.00"));
}

void TestReportScreens::registrationModify()
{
    Screens s;
    QStringList changed;
    auto change = [&changed](const QString& registration, int waiter, QWidget*) {
        changed << registration + QLatin1Char('/') + QString::number(waiter);
        return true;
    };
    CDjCxDlg dialog(
        s.t.db, s.t.prompt, s.printer, s.op,
        {[](QWidget* parent) { return new QLineEdit(parent); }, [](QLineEdit*) { return 0; }, change});
    s.show(dialog);
    buttonOf(&dialog, QStringLiteral("查询(&Q)"))->click();
    buttonOf(&dialog, QStringLiteral("修改(&M)"))->click();
    QCOMPARE(s.t.prompt.texts(), QStringList{"请选定登记记录!"});
    dialog.list()->selectRow(0);
    buttonOf(&dialog, QStringLiteral("修改(&M)"))->click();
    QCOMPARE(changed, QStringList{"R-A1/0"});
}

PELVAR_TEST(TestReportScreens)
#include "tst_ReportScreens.moc"
