#include "CupsSpooler.h"
#include "CupsTestQueue.h"
#include "Gbk.h"
#include "RawPrinter.h"
#include "ScriptedPrompt.h"
#include "TestMain.h"

#include <QTest>

using namespace Qt::StringLiterals;

// Raw jobs through the machine's CUPS server to a queue that delivers to a local listener.
class TestCupsSpooler : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void jobArrivesByteForByte();
    void refusingQueues_data();
    void refusingQueues();
    void unknownQueueFailsSilently();
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
    Queue queue(u"bytes"_s, listener.port());
    QVERIFY(queue.added);
    CupsSpooler spooler;
    QVERIFY(spooler.printerNames().contains(queue.name));

    QString text = u"热菜\n项目名:宫保鸡丁[下单]\n餐桌名:A1  数量:2.00  \n"_s;
    text += QString(100 - Gbk::width(text) - 1, u'-') + u'\n';
    ScriptedPrompt prompt;
    RawPrinter printer(spooler, prompt);
    QVERIFY(printer.PrintRaw(u"厨打-餐桌：A1"_s, queue.name, text));
    QCOMPARE(printer.printStatus(), u"打印结束，\n当前无打印任务！"_s);
    QVERIFY(prompt.shown().isEmpty());

    QTRY_COMPARE_WITH_TIMEOUT(listener.jobsDone, 1, 60000);
    QCOMPARE(listener.connections, 1);
    QCOMPARE(listener.received.size(), 100);
    QCOMPARE(listener.received, Gbk::encode(text));
    QCOMPARE(queue.jobTitles(), QStringList{u"厨打-餐桌：A1"_s});
}

void TestCupsSpooler::refusingQueues_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QStringList>("options"); // before the queue's name
    QTest::addColumn<QString>("status");
    QTest::addColumn<QStringList>("titles");
    QTest::newRow("disabled") << "cupsdisable" << QStringList{} << "打印暂停中..." << QStringList{};
    QTest::newRow("rejecting") << "cupsreject" << QStringList{} << "打印机不可用" << QStringList{};
    QTest::newRow("a held job") << "lp" << QStringList{"-H", "hold", "-t", "早单", "-d"}
                                << "早单打印作业暂停..." << QStringList{"早单"};
}

void TestCupsSpooler::refusingQueues()
{
    QFETCH(QString, tool);
    QFETCH(QStringList, options);
    QFETCH(QString, status);
    Listener listener;
    Queue queue(u"refuse"_s, listener.port());
    QVERIFY(queue.added);
    QVERIFY(runTool(tool, options << queue.name, "hold me\n"));

    CupsSpooler spooler;
    ScriptedPrompt prompt;
    RawPrinter printer(spooler, prompt);
    QVERIFY(!printer.PrintRaw(u"厨打-餐桌：A1"_s, queue.name, u"宫保鸡丁\n"_s));
    QCOMPARE(printer.printStatus(), status);
    QCOMPARE(prompt.texts(),
             QStringList{u"打印机:"_s + queue.name + status + u",打印有可能漏单,打印失败,请检查此打印机!"_s});
    QTEST(queue.jobTitles(), "titles");
    QCOMPARE(listener.connections, 0);
}

void TestCupsSpooler::unknownQueueFailsSilently()
{
    CupsSpooler spooler;
    ScriptedPrompt prompt;
    RawPrinter printer(spooler, prompt);
    const QString name = u"厨房没有%1"_s.arg(QCoreApplication::applicationPid());
    QVERIFY(!spooler.printerNames().contains(name));
    QVERIFY(!printer.PrintRaw(u"厨打-餐桌：A1"_s, name, u"宫保鸡丁\n"_s));
    QVERIFY(!printer.PrintRaw(u"厨打-餐桌：A1"_s, QString(), u"宫保鸡丁\n"_s));
    QVERIFY(prompt.shown().isEmpty());
}

PELVAR_TEST(TestCupsSpooler)
#include "tst_CupsSpooler.moc"
