#include "CupsSpooler.h"
#include "CupsTestQueue.h"
#include "Gbk.h"
#include "KitchenTickets.h"
#include "RawPrinter.h"
#include "ScriptedPrompt.h"
#include "Sql.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <cups/cups.h>
#include <QTest>

namespace {

QString refusal(const QString& printer, const QString& status)
{
    return QStringLiteral("打印机:") + printer + status +
           QStringLiteral(",打印有可能漏单,打印失败,请检查此打印机!");
}

} // namespace

class TestCupsSpooler : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void jobArrivesByteForByte();
    void refusingQueues_data();
    void refusingQueues();
    void heldJobHoldsUpTheQueue();
    void unknownQueueFailsSilently();
    void kitchenTicketsOverTwoQueues();
};

void TestCupsSpooler::initTestCase()
{
    QString why;
    if (!cupsServerAnswers(why))
        QSKIP(qPrintable(why));
}

void TestCupsSpooler::jobArrivesByteForByte()
{
    Listener listener;
    QVERIFY(listener.port());
    Queue queue(QStringLiteral("bytes"), listener.port());
    QVERIFY(queue.added);

    CupsSpooler spooler;
    QVERIFY(spooler.printerNames().contains(queue.name));

    QString text = QStringLiteral("热菜\n项目名:宫保鸡丁[下单]\n餐桌名:A1  数量:2.00  \n");
    text += QString(100 - Gbk::width(text) - 1, QLatin1Char('-')) + QLatin1Char('\n');
    const QByteArray bytes = Gbk::encode(text);
    QCOMPARE(bytes.size(), 100);

    ScriptedPrompt prompt;
    RawPrinter printer(spooler, prompt);
    QVERIFY(printer.PrintRaw(QStringLiteral("厨打-餐桌：A1"), queue.name, text));
    QCOMPARE(printer.printStatus(), QStringLiteral("打印结束，\n当前无打印任务！"));
    QVERIFY(prompt.shown().isEmpty());

    QTRY_COMPARE_WITH_TIMEOUT(listener.jobsDone, 1, 60000);
    QCOMPARE(listener.connections, 1);
    QCOMPARE(listener.received, bytes);
    QCOMPARE(queue.jobTitles(), QStringList{QStringLiteral("厨打-餐桌：A1")});
}

void TestCupsSpooler::refusingQueues_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("status");
    QTest::newRow("disabled") << QStringLiteral("cupsdisable") << QStringLiteral("打印暂停中...");
    QTest::newRow("rejecting") << QStringLiteral("cupsreject") << QStringLiteral("打印机不可用");
}

void TestCupsSpooler::refusingQueues()
{
    QFETCH(QString, command);
    QFETCH(QString, status);

    Listener listener;
    Queue queue(QStringLiteral("refuse"), listener.port());
    QVERIFY(queue.added);
    QVERIFY(runTool(command, {queue.name}));

    CupsSpooler spooler;
    ScriptedPrompt prompt;
    RawPrinter printer(spooler, prompt);
    QVERIFY(!printer.PrintRaw(QStringLiteral("厨打-餐桌：A1"), queue.name, QStringLiteral("宫保鸡丁\n")));
    QCOMPARE(printer.printStatus(), status);
    QCOMPARE(prompt.texts(), QStringList{refusal(queue.name, status)});
    QVERIFY(queue.jobTitles().isEmpty());
}

void TestCupsSpooler::heldJobHoldsUpTheQueue()
{
    Listener listener;
    Queue queue(QStringLiteral("held"), listener.port());
    QVERIFY(queue.added);
    QVERIFY(runTool(QStringLiteral("lp"),
                    {QStringLiteral("-d"), queue.name, QStringLiteral("-H"), QStringLiteral("hold"),
                     QStringLiteral("-t"), QStringLiteral("早单")},
                    QByteArray("hold me\n")));

    CupsSpooler spooler;
    ScriptedPrompt prompt;
    RawPrinter printer(spooler, prompt);
    QVERIFY(!printer.PrintRaw(QStringLiteral("厨打-餐桌：A1"), queue.name, QStringLiteral("宫保鸡丁\n")));
    QCOMPARE(printer.printStatus(), QStringLiteral("早单打印作业暂停..."));
    QCOMPARE(queue.jobTitles(), QStringList{QStringLiteral("早单")});
    QCOMPARE(listener.connections, 0);
}

void TestCupsSpooler::unknownQueueFailsSilently()
{
    CupsSpooler spooler;
    ScriptedPrompt prompt;
    RawPrinter printer(spooler, prompt);
    const QString name = QStringLiteral("厨房没有%1").arg(QCoreApplication::applicationPid());
    QVERIFY(!spooler.printerNames().contains(name));
    QVERIFY(!printer.PrintRaw(QStringLiteral("厨打-餐桌：A1"), name, QStringLiteral("宫保鸡丁\n")));
    QVERIFY(!printer.PrintRaw(QStringLiteral("厨打-餐桌：A1"), QString(), QStringLiteral("宫保鸡丁\n")));
    QVERIFY(prompt.shown().isEmpty());
}

void TestCupsSpooler::kitchenTicketsOverTwoQueues()
{
    Listener hot, cold;
    Queue hotQueue(QStringLiteral("hot"), hot.port());
    Queue coldQueue(QStringLiteral("cold"), cold.port());
    QVERIFY(hotQueue.added && coldQueue.added);
    QVERIFY(runTool(QStringLiteral("cupsdisable"), {coldQueue.name}));

    TestDatabase t;
    t.exec(QStringLiteral("insert into lb (lbm, dyjmc, dybt, dyfs, qskh, jskh) values "
                          "('热菜', %1, '热菜厨房', '1', '1', '2'), ('凉菜', %2, '凉菜间', '1', '0', '0')")
               .arg(Sql::quote(hotQueue.name), Sql::quote(coldQueue.name)));
    for (const char* item : {"宫保鸡丁", "拍黄瓜", "鱼香肉丝"})
        t.exec(QStringLiteral("insert into xfmx (czm, xfxm, sl) values ('大厅1', '%1', 1)")
                   .arg(QString::fromUtf8(item)));
    QList<KitchenTickets::Line> lines{
        {QStringLiteral("1"), QStringLiteral("宫保鸡丁"), QStringLiteral("2.00"), QStringLiteral("热菜"),
         QStringLiteral("2026-12-06 12:30:05"), QString(), false},
        {QStringLiteral("2"), QStringLiteral("拍黄瓜"), QStringLiteral("1.00"), QStringLiteral("凉菜"),
         QStringLiteral("2026-12-06 12:30:09"), QString(), false},
        {QStringLiteral("3"), QStringLiteral("鱼香肉丝"), QStringLiteral("-1.00"), QStringLiteral("热菜"),
         QStringLiteral("2026-12-06 12:31:00"), QStringLiteral("不要辣"), false},
    };

    CupsSpooler spooler;
    RawPrinter printer(spooler, t.prompt);
    KitchenTickets(t.db, printer).PrintKitchenTickets(lines, QStringLiteral("大厅1"));

    QTRY_COMPARE_WITH_TIMEOUT(hot.jobsDone, 1, 60000);
    QCOMPARE(hot.received, Gbk::encode(QStringLiteral("\n热菜厨房\n"
                                                      "项目名:宫保鸡丁[下单]  \n"
                                                      "餐桌名:大厅1数量:2.00  \n"
                                                      "备注:          时间:12:30:05  \n"
                                                      "--------------------\n"
                                                      "项目名:鱼香肉丝[下单]  \n"
                                                      "餐桌名:大厅1数量:-1.00 \n"
                                                      "备注:不要辣    时间:12:31:00  \n"
                                                      "--------------------\n"
                                                      "\n\n")));
    QCOMPARE(hotQueue.jobTitles(), QStringList{QStringLiteral("厨打-餐桌：大厅1")});
    QVERIFY(coldQueue.jobTitles().isEmpty());
    QCOMPARE(cold.connections, 0);
    QCOMPARE(t.prompt.texts(),
             (QStringList{refusal(coldQueue.name, QStringLiteral("打印暂停中...")),
                          QStringLiteral("打印机:%1厨打失败,其消费项目仍为未打印!").arg(coldQueue.name)}));
    QCOMPARE(
        t.scalar(QStringLiteral("select group_concat(sfdy, '') from (select sfdy from xfmx order by xfbh)")),
        QStringLiteral("101"));
}

PELVAR_TEST(TestCupsSpooler)
#include "tst_CupsSpooler.moc"
