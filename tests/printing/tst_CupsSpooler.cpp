#include "CupsSpooler.h"
#include "CupsTestQueue.h"
#include "Gbk.h"
#include "RawPrinter.h"
#include "ScriptedPrompt.h"
#include "TestMain.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestCupsSpooler : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QString why;
        if (!cupsServerAnswers(why))
            QSKIP(qPrintable(why));
    }

    // Raw jobs through the CUPS server to a queue that delivers to a local listener: a job goes out byte
    // for byte; a queue that refuses it is named in the message, one the server does not know fails silently.
    void queues_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("options"); // before the queue's name
        QTest::addColumn<QString>("status");
        QTest::addColumn<QStringList>("titles");
        // clang-format off
        QTest::newRow("accepting") << "" << QStringList{} << "打印结束，\n当前无打印任务！" << QStringList{"厨打-餐桌：A1"};
        QTest::newRow("disabled") << "cupsdisable" << QStringList{} << "打印暂停中..." << QStringList{};
        QTest::newRow("rejecting") << "cupsreject" << QStringList{} << "打印机不可用" << QStringList{};
        QTest::newRow("a held job") << "lp" << QStringList{"-H", "hold", "-t", "早单", "-d"} << "早单打印作业暂停..." << QStringList{"早单"};
        QTest::newRow("unknown queue") << "" << QStringList{} << "" << QStringList{};
        // clang-format on
    }

    void queues()
    {
        QFETCH(QString, tool);
        QFETCH(QStringList, options);
        QFETCH(QString, status);
        const bool accepting = QTest::currentDataTag() == QByteArray("accepting");
        Listener listener;
        Queue queue(u"queue"_s, listener.port());
        QVERIFY(queue.added);
        QVERIFY(tool.isEmpty() || runTool(tool, options << queue.name, "hold me\n"));
        CupsSpooler spooler;
        QCOMPARE(spooler.printerNames().contains(queue.name), true);
        QString text = u"热菜\n项目名:宫保鸡丁[下单]\n餐桌名:A1  数量:2.00  \n"_s;
        text += QString(100 - Gbk::width(text) - 1, u'-') + u'\n';
        ScriptedPrompt prompt;
        RawPrinter printer(spooler, prompt);
        const QString name = queue.name + (status.isEmpty() ? u"没有"_s : QString());
        QCOMPARE(printer.PrintRaw(u"厨打-餐桌：A1"_s, name, text), accepting);
        QCOMPARE(printer.printStatus(), status);
        QCOMPARE(prompt.texts().join(QString()),
                 accepting || status.isEmpty()
                     ? QString()
                     : u"打印机:"_s + queue.name + status + u",打印有可能漏单,打印失败,请检查此打印机!"_s);
        QTEST(queue.jobTitles(), "titles");
        if (accepting)
            QTRY_COMPARE_WITH_TIMEOUT(listener.jobsDone, 1, 60000);
        QCOMPARE(listener.received, accepting ? Gbk::encode(text) : QByteArray());
    }
};

PELVAR_TEST(TestCupsSpooler)
#include "tst_CupsSpooler.moc"
