#include "CCzYdDlg.h"
#include "CDownView.h"
#include "CLeftView.h"
#include "Clock.h"
#include "CMainFrame.h"
#include "COpenTableDlg.h"
#include "CPelvarApp.h"
#include "CRightView.h"
#include "OperatorAccounts.h"
#include "ScriptedPrompt.h"
#include "Sql.h"
#include "TestMain.h"
#include "WaiterField.h"

#include <memory>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace {

const QDateTime kNow(QDate(2026, 12, 6), QTime(12, 30, 0));

// The program on a fresh data folder, logged in as 系统管理员, with shifts that match the times of
// day, tables A1-A3 in 大厅, B1 and B2 in 包间 (booked together for this shift), and two waiters.
struct Running
{
    Running()
    {
        Clock::setFixed(kNow);
        QVERIFY(app.openData());
        for (const char* sql :
             {"insert into yybc(bcmc,qssj,jssj) values('午市',#2010-01-01 10:0:0#,#2010-01-01 14:59:59#)",
              "insert into yybc(bcmc,qssj,jssj) values('晚市',#2010-01-01 15:0:0#,#2010-01-01 20:59:59#)",
              "insert into yybc(bcmc,qssj,jssj) values('夜宵',#2010-01-01 21:0:0#,#2010-01-01 23:59:59#)",
              "insert into fj(fjm) values('大厅')", "insert into fj(fjm) values('包间')",
              "insert into cz(czm,zzws,fjm) values('A1',4,'大厅')",
              "insert into cz(czm,zzws,fjm) values('A2',4,'大厅')",
              "insert into cz(czm,zzws,fjm) values('A3',4,'大厅')",
              "insert into cz(czm,zzws,fjm) values('B1',8,'包间')",
              "insert into cz(czm,zzws,fjm) values('B2',8,'包间')",
              "insert into fws(xm,jp) values('王芳','WF')", "insert into fws(xm,jp) values('李强','LQ')"})
            app.db().ExecuteSql(QString::fromUtf8(sql));
        for (const char* table : {"B1", "B2"})
            app.db().ExecuteSql(
                QStringLiteral("insert into yd(ydbh,khxm,sjhm,lxdh,fjmc,czmc,zt,ydsj,qxsj,yj,bz,czy,yybcbh) "
                               "values('20261206090000','张先生','','6612345','包间','%1','已订',"
                               "#2026-12-06 13:0:0#,#2026-12-06 13:30:0#,'0','','系统管理员',1)")
                    .arg(QString::fromLatin1(table)));
        Operator op;
        QVERIFY(OperatorAccounts(app.db(), prompt).login(QStringLiteral("系统管理员"), QString(), op));
        app.setCurrentOperator(op);
        frame = std::make_unique<CMainFrame>(app);
        frame->board()->reload();
        frame->rooms()->updateCounts();
        frame->resize(1200, 800);
        frame->show();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
    }
    ~Running() { Clock::clearFixed(); }

    QString scalar(const QString& sql)
    {
        Recordset rs = app.db().query(sql);
        return rs.isEOF() ? QString() : rs.value(0).toString();
    }
    QStringList rows(const QString& sql)
    {
        QStringList out;
        for (Recordset rs = app.db().query(sql); !rs.isEOF(); rs.moveNext()) {
            QStringList fields;
            for (int i = 0; i < rs.columns().size(); ++i)
                fields << rs.value(i).toString();
            out << fields.join(QLatin1Char('|'));
        }
        return out;
    }
    void select(const QStringList& tables)
    {
        CRightView* board = frame->board();
        QItemSelectionModel* selection = board->view()->selectionModel();
        selection->clearSelection();
        for (int row = 0; row < board->items().size(); ++row)
            if (tables.contains(board->items().at(row).name))
                selection->select(board->view()->model()->index(row, 0),
                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
        board->view()->setFocus();
    }
    TableBoard::State state(const QString& table)
    {
        for (const TableBoard::Item& item : frame->board()->items())
            if (item.name == table)
                return item.state;
        return TableBoard::State::Free;
    }

    QTemporaryDir dir;
    ScriptedPrompt prompt;
    CPelvarApp app{prompt, dir.path()};
    std::unique_ptr<CMainFrame> frame;
};

// Runs `act` on the next modal dialog of this class once it is up.
template <class Dialog> void whenModal(std::function<void(Dialog*)> act)
{
    QTimer::singleShot(10, [act] {
        auto* modal = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!modal || !modal->isVisible()) {
            whenModal<Dialog>(act);
            return;
        }
        act(modal);
    });
}

// Fills the open-table dialog: guests, a waiter picked from the list by typing `waiter`, and
// whether ordering follows.
void fill(COpenTableDlg* dialog, const QString& guests, const QString& waiter, bool orderNow)
{
    dialog->guestsEdit()->setText(guests);
    if (!waiter.isEmpty()) {
        dialog->waiterField()->clear();
        dialog->waiterField()->setFocus();
        QTest::keyClicks(dialog->waiterField(), waiter);
        QTest::keyClick(dialog->waiterField(), Qt::Key_Down);
        QTest::keyClick(dialog->waiterField()->list(), Qt::Key_Return);
    }
    dialog->orderNowBox()->setChecked(orderNow);
}

} // namespace

class TestBoardCommands : public QObject
{
    Q_OBJECT
private slots:
    void enterOpensAFreeTableThenChecksItOut();
    void groupOfThreeWithAWaiter();
    void reservedTableThroughTheChoice();
    void cancelledDialogOpensNothing();
    void orderingFollowsForTheMainTable();
    void changeOfRegistrationKeepsArrivalAndConsumption();
    void changeOfRegistrationOnAFreeTable();
    void roomsPaneFiltersTheBoard();
    void settingsReloadThePanes();
};

void TestBoardCommands::enterOpensAFreeTableThenChecksItOut()
{
    Running r;
    QStringList checkedOut;
    r.frame->setHandler(CMainFrame::Checkout, [&] { checkedOut << r.frame->selectedTable(); });
    QString title;
    whenModal<COpenTableDlg>([&](COpenTableDlg* dialog) {
        title = dialog->windowTitle();
        fill(dialog, QStringLiteral("3"), QString(), false);
        // A waiter's full name typed but never taken from the list stands for no waiter.
        dialog->waiterField()->setText(QStringLiteral("王芳"));
        dialog->accept();
    });
    r.select({QStringLiteral("A2")});
    QTest::keyClick(r.frame->board()->view(), Qt::Key_Return);
    QCOMPARE(title, QStringLiteral("顾客开单"));
    QCOMPARE(r.rows("select czm,rs,zdbj,fws,bz from dj"), QStringList{"A2|3|y|0|"});
    QCOMPARE(r.scalar("select zyzt from cz where czm='A2'"), QStringLiteral("占用"));
    // The board, the lines pane and the counts follow at once.
    QCOMPARE(r.state(QStringLiteral("A2")), TableBoard::State::Occupied);
    QCOMPARE(r.frame->board()->selectedTable(), QStringLiteral("A2"));
    QCOMPARE(r.frame->lines()->table(), QStringLiteral("A2"));
    QCOMPARE(r.frame->rooms()->countText(1), QStringLiteral("1"));
    QCOMPARE(r.frame->rooms()->countText(4), QStringLiteral("60.00%"));
    QVERIFY(checkedOut.isEmpty());

    r.frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(r.frame.get()));
    r.frame->board()->view()->setFocus();
    QTest::keyClick(r.frame->board()->view(), Qt::Key_Return);
    QCOMPARE(checkedOut, QStringList{"A2"});
    QVERIFY(r.prompt.texts().isEmpty());
}

void TestBoardCommands::groupOfThreeWithAWaiter()
{
    Running r;
    QString note;
    whenModal<COpenTableDlg>([&](COpenTableDlg* dialog) {
        note = dialog->note();
        fill(dialog, QStringLiteral("5"), QStringLiteral("lq"), false);
        dialog->accept();
    });
    r.select({QStringLiteral("A1"), QStringLiteral("A2"), QStringLiteral("A3")});
    r.frame->execute(CMainFrame::OpenTable);
    QCOMPARE(note, QStringLiteral("团体开单:A1,A2,A3"));
    QCOMPARE(r.rows("select djbh,czm,fjm,rs,xfzt,zdbh,zdbj,fws,bz from dj order by djbh"),
             (QStringList{"20261206123000|A1|大厅|5|占用|20261206123000|y|2|团体开单:A1,A2,A3",
                          "202612061230001|A2|大厅|5|占用|20261206123000|n|2|团体开单:A1,A2,A3",
                          "202612061230002|A3|大厅|5|占用|20261206123000|n|2|团体开单:A1,A2,A3"}));
    QCOMPARE(r.rows("select czm,zyzt,jdsj,yzrs,bz from cz where zyzt='占用' order by id"),
             (QStringList{"A1|占用|2026-12-06 12:30:00|5|团体开单:A1,A2,A3",
                          "A2|占用|2026-12-06 12:30:00|5|团体开单:A1,A2,A3",
                          "A3|占用|2026-12-06 12:30:00|5|团体开单:A1,A2,A3"}));
    for (const char* table : {"A1", "A2", "A3"})
        QCOMPARE(r.state(QString::fromLatin1(table)), TableBoard::State::Occupied);
    QCOMPARE(r.frame->rooms()->countText(1), QStringLiteral("3"));
    QCOMPARE(r.frame->lines()->table(), QStringLiteral("A1"));
}

void TestBoardCommands::reservedTableThroughTheChoice()
{
    Running r;
    QCOMPARE(r.state(QStringLiteral("B2")), TableBoard::State::Reserved);
    QCOMPARE(r.frame->rooms()->countText(3), QStringLiteral("2"));
    QStringList offered;
    QString note;
    whenModal<CCzYdDlg>([&](CCzYdDlg* choice) {
        for (int i = 0; i < choice->list()->topLevelItemCount(); ++i)
            offered << choice->list()->topLevelItem(i)->text(2);
        whenModal<COpenTableDlg>([&](COpenTableDlg* dialog) {
            note = dialog->note();
            fill(dialog, QStringLiteral("10"), QString(), false);
            dialog->accept();
        });
        choice->accept();
    });
    r.select({QStringLiteral("B2")});
    QTest::keyClick(r.frame->board()->view(), Qt::Key_Return);
    QCOMPARE(offered, (QStringList{"B1", "B2"}));
    QCOMPARE(note, QStringLiteral("团体开单:B1,B2"));
    QCOMPARE(r.rows("select czm,zdbj,rs from dj order by djbh"), (QStringList{"B1|y|10", "B2|n|10"}));
    QCOMPARE(r.rows("select czmc,zt from yd order by id"), (QStringList{"B1|到达", "B2|到达"}));
    QCOMPARE(r.state(QStringLiteral("B1")), TableBoard::State::Occupied);
    QCOMPARE(r.state(QStringLiteral("B2")), TableBoard::State::Occupied);
    QCOMPARE(r.frame->rooms()->countText(3), QStringLiteral("0"));
    QCOMPARE(r.frame->rooms()->countText(1), QStringLiteral("2"));
    // The main table is the booking's first table.
    QCOMPARE(r.frame->selectedTable(), QStringLiteral("B1"));
}

void TestBoardCommands::cancelledDialogOpensNothing()
{
    Running r;
    whenModal<COpenTableDlg>([](COpenTableDlg* dialog) { dialog->reject(); });
    r.select({QStringLiteral("A1")});
    r.frame->execute(CMainFrame::OpenTable);
    whenModal<CCzYdDlg>([](CCzYdDlg* choice) { choice->reject(); });
    r.select({QStringLiteral("B1")});
    r.frame->execute(CMainFrame::OpenTable);
    QCOMPARE(r.scalar("select count(*) from dj"), QStringLiteral("0"));
    QCOMPARE(r.scalar("select count(*) from yd where zt='已订'"), QStringLiteral("2"));
    QCOMPARE(r.state(QStringLiteral("A1")), TableBoard::State::Free);
}

void TestBoardCommands::orderingFollowsForTheMainTable()
{
    Running r;
    QStringList ordered;
    r.frame->setHandler(CMainFrame::AddConsumption, [&] {
        ordered << r.frame->selectedTable() +
                       r.scalar("select zyzt from cz where czm='" + r.frame->selectedTable() + "'");
    });
    for (bool orderNow : {false, true}) {
        whenModal<COpenTableDlg>([orderNow](COpenTableDlg* dialog) {
            QVERIFY(dialog->orderNowBox()->isChecked());
            fill(dialog, QStringLiteral("2"), QString(), orderNow);
            dialog->accept();
        });
        r.select({orderNow ? QStringLiteral("A1") : QStringLiteral("A2"), QStringLiteral("A2")});
        r.frame->execute(CMainFrame::OpenTable);
        if (!orderNow) {
            QVERIFY(ordered.isEmpty());
            r.app.db().ExecuteSql(QStringLiteral("delete from dj"));
            r.app.db().ExecuteSql(QStringLiteral("update cz set zyzt='空闲' where czm='A2'"));
            r.frame->tablesChanged();
        }
    }
    QCOMPARE(ordered, QStringList{"A1占用"});
}

void TestBoardCommands::changeOfRegistrationKeepsArrivalAndConsumption()
{
    Running r;
    whenModal<COpenTableDlg>([](COpenTableDlg* dialog) {
        fill(dialog, QStringLiteral("4"), QStringLiteral("wf"), false);
        dialog->noteEdit()->setPlainText(QStringLiteral("靠窗"));
        dialog->accept();
    });
    r.select({QStringLiteral("A1")});
    r.frame->execute(CMainFrame::OpenTable);
    r.app.db().ExecuteSql(
        QStringLiteral("insert into xfmx(czm,xfxm,sl,xmdj,dzbl,ysje,jzr,xfsj) "
                       "values('A1','宫保鸡丁',1,28,1,28,'系统管理员','2026-12-06 12:40:00')"));
    r.app.db().ExecuteSql(QStringLiteral("update cz set xfhj=28 where czm='A1'"));
    r.app.db().ExecuteSql(QStringLiteral("update dj set xfhj=28 where czm='A1'"));

    Clock::setFixed(kNow.addSecs(3600));
    QStringList shown;
    whenModal<COpenTableDlg>([&](COpenTableDlg* dialog) {
        shown << dialog->windowTitle() << dialog->orderNowBox()->text() << dialog->guestsEdit()->text()
              << dialog->waiterField()->text() << dialog->note();
        fill(dialog, QStringLiteral("6"), QStringLiteral("lq"), false);
        dialog->noteEdit()->setPlainText(QStringLiteral("加两位"));
        dialog->accept();
    });
    r.select({QStringLiteral("A1")});
    r.frame->execute(CMainFrame::ChangeRegistration);
    QCOMPARE(shown, (QStringList{"修改登记", "修改后立即点单", "4", "王芳", "靠窗"}));
    QCOMPARE(r.rows("select rs,bz,fws,jdsj,xfhj,xfzt from dj"),
             QStringList{"6|加两位|2|2026-12-06 12:30:00|28|占用"});
    // The table keeps its own note, arrival and total.
    QCOMPARE(r.rows("select yzrs,bz,jdsj,xfhj,zyzt from cz where czm='A1'"),
             QStringList{"6|靠窗|2026-12-06 12:30:00|28|占用"});
    QCOMPARE(r.scalar("select count(*) from xfmx where czm='A1'"), QStringLiteral("1"));
    QCOMPARE(r.frame->board()->items().at(0).guests, QStringLiteral("6"));
    QCOMPARE(r.frame->board()->items().at(0).amount, QStringLiteral("￥28.00"));
    QCOMPARE(r.frame->lines()->table(), QStringLiteral("A1"));
}

void TestBoardCommands::changeOfRegistrationOnAFreeTable()
{
    Running r;
    r.select({QStringLiteral("A1")});
    r.frame->execute(CMainFrame::ChangeRegistration);
    r.select({});
    r.frame->execute(CMainFrame::ChangeRegistration);
    QCOMPARE(r.prompt.texts(), (QStringList{"此餐桌未开单!", "请选定餐桌!"}));
}

void TestBoardCommands::roomsPaneFiltersTheBoard()
{
    Running r;
    QTreeWidget* tree = r.frame->rooms()->tree();
    tree->setCurrentItem(tree->topLevelItem(0)->child(1));
    QCOMPARE(r.frame->board()->items().size(), 2);
    QCOMPARE(r.frame->board()->items().at(0).name, QStringLiteral("B1"));
    tree->setCurrentItem(tree->topLevelItem(0));
    QCOMPARE(r.frame->board()->items().size(), 5);
}

void TestBoardCommands::settingsReloadThePanes()
{
    Running r;
    r.frame->board()->setRoom(QStringLiteral("包间"));
    r.app.db().ExecuteSql(QStringLiteral("insert into fj(fjm) values('雅座')"));
    r.app.db().ExecuteSql(QStringLiteral("insert into cz(czm,zzws,fjm) values('C1',6,'雅座')"));
    emit r.frame->settingsChanged();
    QCOMPARE(r.frame->board()->items().size(), 6);
    QCOMPARE(r.frame->rooms()->tree()->topLevelItem(0)->childCount(), 3);
    QCOMPARE(r.frame->rooms()->countText(0), QStringLiteral("6"));
}

PELVAR_TEST(TestBoardCommands)
#include "tst_BoardCommands.moc"
