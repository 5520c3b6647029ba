#include "FakeSpooler.h"
#include "Gbk.h"
#include "PrintStatus.h"
#include "RawPrinter.h"
#include "ScriptedPrompt.h"
#include "TestMain.h"

#include <QTest>

namespace {

const QString kPrinter = QStringLiteral("厨房1");
const QString kDocument = QStringLiteral("厨打-餐桌：A1");
const QString kText = QStringLiteral("宫保鸡丁\n");

QString refusal(const QString& status)
{
    return QStringLiteral("打印机:厨房1") + status +
           QStringLiteral(",打印有可能漏单,打印失败,请检查此打印机!");
}

} // namespace

class TestRawPrinter : public QObject
{
    Q_OBJECT
private slots:
    void printerStatus_data();
    void printerStatus();
    void queuedJobs_data();
    void queuedJobs();
    void errorKeepsThePreviousMessage();
    void unknownPrinterFailsSilently_data();
    void unknownPrinterFailsSilently();
    void unreadableStateRefusesTheJob();
    void documentThatCannotStart();
    void documentThatCannotEnd();
    void jobIsTheGbkTextAndNothingElse();
    void noPrinterToInspect();
};

void TestRawPrinter::printerStatus_data()
{
    QTest::addColumn<quint32>("status");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("accepted");

    using namespace PrinterStatus;
    const QString idle = QStringLiteral("打印结束，\n当前无打印任务！");
    QTest::newRow("idle") << 0u << idle << true;
    // A printer at work takes the job; the empty queue then has the last word.
    QTest::newRow("printing") << Printing << idle << true;
    QTest::newRow("printing outweighs a jam") << (Printing | PaperJam) << idle << true;
    QTest::newRow("paused") << Paused << QStringLiteral("打印暂停中...") << false;
    QTest::newRow("busy") << Busy << QStringLiteral("打印机繁忙，/n被临时占用") << false;
    QTest::newRow("waiting") << Waiting << QStringLiteral("打印等待中...") << false;
    QTest::newRow("server unknown") << ServerUnknown << QStringLiteral("未连接打印机服务器") << false;
    QTest::newRow("paper jam") << PaperJam << QStringLiteral("打印机卡纸") << false;
    QTest::newRow("paper out") << PaperOut << QStringLiteral("打印纸位置不正确") << false;
    QTest::newRow("paper problem") << PaperProblem << QStringLiteral("打印纸出现问题") << false;
    QTest::newRow("output bin full") << OutputBinFull << QStringLiteral("打印输出已满") << false;
    QTest::newRow("not available") << NotAvailable << QStringLiteral("打印机不可用") << false;
    QTest::newRow("toner low") << TonerLow << QStringLiteral("打印机墨粉不足") << false;
    QTest::newRow("no toner") << NoToner << QStringLiteral("打印机没有墨粉") << false;
    QTest::newRow("out of memory") << OutOfMemory << QStringLiteral("打印内存溢出") << false;
    QTest::newRow("offline") << Offline << QStringLiteral("无法连接打印机，\n可能是打印机未启动") << false;
    QTest::newRow("door open") << DoorOpen << QStringLiteral("打印机的门是开着的，\n请关闭") << false;
    // The first condition in the order of the checks decides.
    QTest::newRow("paused before jam") << (PaperJam | Paused) << QStringLiteral("打印暂停中...") << false;
    QTest::newRow("jam before offline") << (Offline | PaperJam) << QStringLiteral("打印机卡纸") << false;
    QTest::newRow("waiting before toner") << (NoToner | Waiting) << QStringLiteral("打印等待中...") << false;
    QTest::newRow("not available before door")
        << (DoorOpen | NotAvailable) << QStringLiteral("打印机不可用") << false;
    QTest::newRow("unlisted bit") << 0x4u << idle << true;
}

void TestRawPrinter::printerStatus()
{
    QFETCH(quint32, status);
    QFETCH(QString, message);
    QFETCH(bool, accepted);

    FakeSpooler spooler;
    spooler.printers[kPrinter].status = status;
    ScriptedPrompt prompt;
    RawPrinter printer(spooler, prompt);

    QCOMPARE(printer.PrintRaw(kDocument, kPrinter, kText), accepted);
    QCOMPARE(printer.printStatus(), message);
    QCOMPARE(spooler.documents.size(), accepted ? 1 : 0);
    if (accepted) {
        QVERIFY(prompt.shown().isEmpty());
    } else {
        QCOMPARE(prompt.texts(), QStringList{refusal(message)});
        QCOMPARE(prompt.shown().first().caption, QStringLiteral("Orvo餐饮收银系统"));
        QCOMPARE(prompt.shown().first().buttons, Prompt::Buttons::Ok);
    }
    QCOMPARE(spooler.opens, 1);
    QCOMPARE(spooler.openHandles, 0);
}

void TestRawPrinter::queuedJobs_data()
{
    QTest::addColumn<quint32>("printerStatus");
    QTest::addColumn<QList<quint32>>("jobs"); // documents are named 单1, 单2, ...
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("accepted");

    using namespace JobStatus;
    const quint32 printing = PrinterStatus::Printing;
    QTest::newRow("printed") << 0u << QList<quint32>{Printed} << QStringLiteral("打印成功！") << true;
    QTest::newRow("deleted") << 0u << QList<quint32>{Deleted} << QStringLiteral("已取消打印") << true;
    QTest::newRow("paused") << 0u << QList<quint32>{Paused} << QStringLiteral("单1打印作业暂停...") << false;
    QTest::newRow("error") << 0u << QList<quint32>{Error} << QStringLiteral("打印作业出错") << false;
    QTest::newRow("spooling") << 0u << QList<quint32>{Spooling} << QStringLiteral("单1打印作业脱机") << false;
    QTest::newRow("offline") << 0u << QList<quint32>{Offline} << QStringLiteral("单1打印作业未连接") << false;
    QTest::newRow("paper out") << 0u << QList<quint32>{PaperOut} << QStringLiteral("单1打印纸位置不正确")
                               << false;
    QTest::newRow("blocked") << 0u << QList<quint32>{BlockedDevq} << QStringLiteral("单1打印作业出错")
                             << false;
    QTest::newRow("restart") << 0u << QList<quint32>{Restart} << QStringLiteral("打印作业重新启动") << true;
    QTest::newRow("other bit") << 0u << QList<quint32>{0x4u} << QStringLiteral("打印完成") << true;
    QTest::newRow("printing alone") << 0u << QList<quint32>{Printing} << QStringLiteral("打印完成") << true;
    QTest::newRow("printing and spooling")
        << 0u << QList<quint32>{Printing | Spooling} << QStringLiteral("单1打印作业脱机") << false;
    // A job printing with trouble: the printer's own verdict stands.
    QTest::newRow("printing error, idle printer")
        << 0u << QList<quint32>{Printing | Error} << QStringLiteral("单1打印出错！") << false;
    QTest::newRow("printing error, printing printer")
        << printing << QList<quint32>{Printing | Error} << QStringLiteral("单1打印出错！") << true;
    QTest::newRow("printing offline")
        << printing << QList<quint32>{Printing | Offline} << QStringLiteral("单1打印出错！") << true;
    QTest::newRow("printing paper out")
        << 0u << QList<quint32>{Printing | PaperOut} << QStringLiteral("单1打印出错！") << false;
    QTest::newRow("printing blocked")
        << 0u << QList<quint32>{Printing | BlockedDevq} << QStringLiteral("单1打印出错！") << false;
    // The printer printing does not override a refusing job.
    QTest::newRow("printing printer, spooling job")
        << printing << QList<quint32>{Spooling} << QStringLiteral("单1打印作业脱机") << false;
    QTest::newRow("printed before paused")
        << 0u << QList<quint32>{Printed | Paused} << QStringLiteral("打印成功！") << true;
    QTest::newRow("paused before error")
        << 0u << QList<quint32>{Error | Paused} << QStringLiteral("单1打印作业暂停...") << false;
    // The first job with a status decides; jobs without one are passed over.
    QTest::newRow("first job decides")
        << 0u << QList<quint32>{0u, Spooling, Printed} << QStringLiteral("单2打印作业脱机") << false;
    QTest::newRow("later jobs unread")
        << 0u << QList<quint32>{Printed, Spooling} << QStringLiteral("打印成功！") << true;
    QTest::newRow("all without status")
        << 0u << QList<quint32>{0u, 0u} << QStringLiteral("打印成功！") << true;
    QTest::newRow("printing printer, empty queue")
        << printing << QList<quint32>{} << QStringLiteral("打印结束，\n当前无打印任务！") << true;
}

void TestRawPrinter::queuedJobs()
{
    QFETCH(quint32, printerStatus);
    QFETCH(QList<quint32>, jobs);
    QFETCH(QString, message);
    QFETCH(bool, accepted);

    FakeSpooler spooler;
    FakeSpooler::Printer& p = spooler.printers[kPrinter];
    p.status = printerStatus;
    for (qsizetype i = 0; i < jobs.size(); ++i)
        p.jobs << PrinterHandle::Job{jobs.at(i), QStringLiteral("单%1").arg(i + 1)};
    ScriptedPrompt prompt;
    RawPrinter printer(spooler, prompt);

    QCOMPARE(printer.PrintRaw(kDocument, kPrinter, kText), accepted);
    QCOMPARE(printer.printStatus(), message);
    QCOMPARE(spooler.documents.size(), accepted ? 1 : 0);
    QCOMPARE(prompt.texts(), accepted ? QStringList() : QStringList{refusal(message)});
    QCOMPARE(spooler.openHandles, 0);
}

void TestRawPrinter::errorKeepsThePreviousMessage()
{
    FakeSpooler spooler;
    ScriptedPrompt prompt;
    RawPrinter printer(spooler, prompt);

    spooler.printers[kPrinter].status = PrinterStatus::Paused;
    QVERIFY(!printer.PrintRaw(kDocument, kPrinter, kText));
    spooler.printers[kPrinter].status = PrinterStatus::Error | PrinterStatus::PaperJam;
    QVERIFY(!printer.PrintRaw(kDocument, kPrinter, kText));
    QCOMPARE(printer.printStatus(), QStringLiteral("打印暂停中..."));
    QCOMPARE(prompt.texts(), QStringList(2, refusal(QStringLiteral("打印暂停中..."))));

    // Before any inspection there is nothing to repeat.
    RawPrinter fresh(spooler, prompt);
    prompt.clear();
    QVERIFY(!fresh.PrintRaw(kDocument, kPrinter, kText));
    QCOMPARE(prompt.texts(), QStringList{refusal(QString())});
    QVERIFY(spooler.documents.isEmpty());
}

void TestRawPrinter::unknownPrinterFailsSilently_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("unknown") << QStringLiteral("厨房9");
    QTest::newRow("empty") << QString();
}

void TestRawPrinter::unknownPrinterFailsSilently()
{
    QFETCH(QString, name);
    FakeSpooler spooler;
    spooler.printers[kPrinter];
    ScriptedPrompt prompt;
    RawPrinter printer(spooler, prompt);

    QVERIFY(!printer.PrintRaw(kDocument, name, kText));
    QVERIFY(prompt.shown().isEmpty());
    QVERIFY(spooler.documents.isEmpty());
    QCOMPARE(spooler.opens, 0);
}

void TestRawPrinter::unreadableStateRefusesTheJob()
{
    FakeSpooler spooler;
    spooler.printers[kPrinter].stateUnreadable = true;
    ScriptedPrompt prompt;
    RawPrinter printer(spooler, prompt);

    QVERIFY(!printer.PrintRaw(kDocument, kPrinter, kText));
    QCOMPARE(printer.printStatus(), QStringLiteral("打印失败！"));
    QCOMPARE(prompt.texts(), QStringList{refusal(QStringLiteral("打印失败！"))});
    QVERIFY(spooler.documents.isEmpty());
    QCOMPARE(spooler.openHandles, 0);
}

void TestRawPrinter::documentThatCannotStart()
{
    FakeSpooler spooler;
    spooler.printers[kPrinter].startFails = true;
    ScriptedPrompt prompt;
    RawPrinter printer(spooler, prompt);

    QVERIFY(!printer.PrintRaw(kDocument, kPrinter, kText));
    QCOMPARE(prompt.texts(), QStringList{QStringLiteral("打印失败")});
    QCOMPARE(prompt.shown().first().caption, QStringLiteral("Orvo餐饮收银系统"));
    QVERIFY(spooler.documents.isEmpty());
    QCOMPARE(spooler.opens, 1);
    QCOMPARE(spooler.openHandles, 0);
}

void TestRawPrinter::documentThatCannotEnd()
{
    FakeSpooler spooler;
    spooler.printers[kPrinter].endFails = true;
    ScriptedPrompt prompt;
    RawPrinter printer(spooler, prompt);

    QVERIFY(!printer.PrintRaw(kDocument, kPrinter, kText));
    QVERIFY(prompt.shown().isEmpty());
    QCOMPARE(spooler.opens, 1);
    QCOMPARE(spooler.openHandles, 0);
}

void TestRawPrinter::jobIsTheGbkTextAndNothingElse()
{
    FakeSpooler spooler;
    spooler.printers[kPrinter];
    ScriptedPrompt prompt;
    RawPrinter printer(spooler, prompt);

    QVERIFY(printer.PrintRaw(kDocument, kPrinter, QStringLiteral("热菜\n宫保鸡丁 x2\n")));
    // A text ends at its first zero character.
    QVERIFY(printer.PrintRaw(QStringLiteral("receipt"), kPrinter,
                             QStringLiteral("A1") + QChar(0) + QStringLiteral("B2")));

    QCOMPARE(spooler.documents.size(), 2);
    QCOMPARE(spooler.documents.at(0).printer, kPrinter);
    QCOMPARE(spooler.documents.at(0).name, kDocument);
    QCOMPARE(spooler.documents.at(0).bytes,
             QByteArray("\xC8\xC8\xB2\xCB\n\xB9\xAC\xB1\xA3\xBC\xA6\xB6\xA1 x2\n")); // GBK, LF only
    QCOMPARE(spooler.documents.at(1).name, QStringLiteral("receipt"));
    QCOMPARE(spooler.documents.at(1).bytes, QByteArray("A1"));
}

void TestRawPrinter::noPrinterToInspect()
{
    FakeSpooler spooler;
    ScriptedPrompt prompt;
    RawPrinter printer(spooler, prompt);
    QVERIFY(!printer.CheckPrinterStatus(nullptr));
    QCOMPARE(printer.printStatus(), QStringLiteral("打印机不存在！"));
}

PELVAR_TEST(TestRawPrinter)
#include "tst_RawPrinter.moc"
