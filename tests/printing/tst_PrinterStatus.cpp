#include "CupsStatus.h"
#include "FakeSpooler.h"
#include "PrintStatus.h"
#include "RawPrinter.h"
#include "ScriptedPrompt.h"
#include "TestMain.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString kPrinter = u"厨房1"_s;
const QString kDocument = u"厨打-餐桌：A1"_s;

QString refusal(const QString& status)
{
    return u"打印机:厨房1"_s + status + u",打印有可能漏单,打印失败,请检查此打印机!"_s;
}

} // namespace

// CUPS states as status words, and the checks of a raw job on them. CUPS printer-state: 3 idle,
// 4 processing, 5 stopped; job-state: 3 pending, 4 held, 5 processing, 6 stopped, 7 canceled,
// 8 aborted, 9 completed.
class TestPrinterStatus : public QObject
{
    Q_OBJECT
private slots:
    void cupsPrinter_data();
    void cupsPrinter();
    void cupsJob_data();
    void cupsJob();
    void inspection_data();
    void inspection();
    void errorKeepsThePreviousMessage();
    void failures_data();
    void failures();
};

void TestPrinterStatus::cupsPrinter_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<QStringList>("reasons");
    QTest::addColumn<bool>("accepting");
    QTest::addColumn<quint32>("status");
    using namespace PrinterStatus;
    QTest::newRow("idle") << 3 << QStringList{"none"} << true << 0u;
    QTest::newRow("processing") << 4 << QStringList{} << true << Printing;
    QTest::newRow("stopped") << 5 << QStringList{} << true << Paused;
    QTest::newRow("rejecting") << 3 << QStringList{} << false << NotAvailable;
    // A reason counts at its severity: bare or "-error" sets its bit, "-warning" and "-report" none.
    // clang-format off
    const std::pair<const char*, quint32> reasons[] = {
        {"paused", Paused}, {"media-jam", PaperJam}, {"media-jam-error", PaperJam}, {"media-jam-warning", 0},
        {"media-empty", PaperOut}, {"media-needed-error", PaperOut}, {"input-tray-missing", PaperProblem},
        {"media-low", PaperProblem}, {"media-low-report", 0}, {"output-area-full", OutputBinFull},
        {"toner-low", TonerLow}, {"marker-supply-low", TonerLow}, {"marker-supply-low-warning", 0},
        {"toner-empty-error", NoToner}, {"marker-supply-empty", NoToner}, {"spool-area-full", OutOfMemory},
        {"offline", Offline}, {"offline-report", 0}, {"connecting-to-device", Offline}, {"timed-out", Offline},
        {"door-open", DoorOpen}, {"cover-open-warning", 0}, {"interlock-open", DoorOpen}, {"other", Error},
        {"fuser-over-temp-error", Error}, {"fuser-over-temp-warning", 0}, {"shutdown", 0}};
    // clang-format on
    for (const auto& [reason, status] : reasons)
        QTest::newRow(reason) << 3 << QStringList{reason} << true << status;
    QTest::newRow("several") << 4 << QStringList{"media-jam-error", "toner-low-report", "door-open"} << false
                             << (Printing | PaperJam | DoorOpen | NotAvailable);
}

void TestPrinterStatus::cupsPrinter()
{
    QFETCH(int, state);
    QFETCH(QStringList, reasons);
    QFETCH(bool, accepting);
    QTEST(CupsStatus::printerStatus(state, reasons, accepting), "status");
}

void TestPrinterStatus::cupsJob_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<quint32>("printerStatus");
    QTest::addColumn<quint32>("status");
    using namespace JobStatus;
    // clang-format off
    const std::tuple<const char*, int, quint32, quint32> jobs[] = {
        {"pending", 3, 0, 0}, {"held", 4, PrinterStatus::Error, Paused}, {"stopped", 6, 0, BlockedDevq},
        {"canceled", 7, 0, 0}, {"aborted", 8, 0, Error}, {"processing", 5, PrinterStatus::Printing, Printing},
        {"processing, error", 5, PrinterStatus::Error, Printing | Error},
        {"processing, offline", 5, PrinterStatus::Offline, Printing | Offline},
        {"processing, paper out", 5, PrinterStatus::PaperOut, Printing | PaperOut},
        {"processing, jam", 5, PrinterStatus::PaperJam, Printing}};
    // clang-format on
    for (const auto& [name, state, printer, status] : jobs)
        QTest::newRow(name) << state << printer << status;
}

void TestPrinterStatus::cupsJob()
{
    QFETCH(int, state);
    QFETCH(quint32, printerStatus);
    QTEST(CupsStatus::jobStatus(state, printerStatus), "status");
}

void TestPrinterStatus::inspection_data()
{
    QTest::addColumn<quint32>("printerStatus");
    QTest::addColumn<QList<quint32>>("jobs"); // documents 单1, 单2, ...
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("accepted");
    namespace P = PrinterStatus;
    namespace J = JobStatus;
    const char* const idle = "打印结束，\n当前无打印任务！";
    // clang-format off
    const std::tuple<quint32, QList<quint32>, const char*, bool> rows[] = {
        {P::Paused, {}, "打印暂停中...", false}, {P::Busy, {}, "打印机繁忙，/n被临时占用", false},
        {P::Waiting, {}, "打印等待中...", false}, {P::ServerUnknown, {}, "未连接打印机服务器", false},
        {P::PaperJam, {}, "打印机卡纸", false}, {P::PaperOut, {}, "打印纸位置不正确", false},
        {P::PaperProblem, {}, "打印纸出现问题", false}, {P::OutputBinFull, {}, "打印输出已满", false},
        {P::NotAvailable, {}, "打印机不可用", false}, {P::TonerLow, {}, "打印机墨粉不足", false},
        {P::NoToner, {}, "打印机没有墨粉", false}, {P::OutOfMemory, {}, "打印内存溢出", false},
        {P::Offline, {}, "无法连接打印机，\n可能是打印机未启动", false},
        {P::DoorOpen, {}, "打印机的门是开着的，\n请关闭", false},
        // The first condition in the order of the checks decides; printing outweighs them all.
        {P::PaperJam | P::Paused, {}, "打印暂停中...", false}, {P::Offline | P::PaperJam, {}, "打印机卡纸", false},
        {P::DoorOpen | P::NotAvailable, {}, "打印机不可用", false}, {0, {}, idle, true},
        {P::Printing | P::PaperJam, {}, idle, true}, {0x4u, {}, idle, true},
        // Then the first queued job with a status decides.
        {0, {J::Printed}, "打印成功！", true}, {0, {J::Deleted}, "已取消打印", true},
        {0, {J::Paused}, "单1打印作业暂停...", false}, {0, {J::Error}, "打印作业出错", false},
        {0, {J::Spooling}, "单1打印作业脱机", false}, {0, {J::Offline}, "单1打印作业未连接", false},
        {0, {J::PaperOut}, "单1打印纸位置不正确", false}, {0, {J::BlockedDevq}, "单1打印作业出错", false},
        {0, {J::Restart}, "打印作业重新启动", true}, {0, {0x4u}, "打印完成", true},
        {0, {J::Printing | J::Spooling}, "单1打印作业脱机", false}, {0, {J::Printed | J::Paused}, "打印成功！", true},
        {0, {0u, J::Spooling, J::Printed}, "单2打印作业脱机", false}, {0, {0u, 0u}, "打印成功！", true},
        // A job printing with trouble: the printer's own verdict stands.
        {0, {J::Printing | J::Error}, "单1打印出错！", false},
        {P::Printing, {J::Printing | J::Offline}, "单1打印出错！", true},
        {P::Printing, {J::Spooling}, "单1打印作业脱机", false}};
    // clang-format on
    int row = 0;
    for (const auto& [status, jobs, message, accepted] : rows)
        QTest::addRow("%d", ++row) << status << jobs << QString(message) << accepted;
}

void TestPrinterStatus::inspection()
{
    QFETCH(quint32, printerStatus);
    QFETCH(QList<quint32>, jobs);
    QFETCH(QString, message);
    QFETCH(bool, accepted);
    FakeSpooler spooler;
    spooler.printers[kPrinter].status = printerStatus;
    for (qsizetype i = 0; i < jobs.size(); ++i)
        spooler.printers[kPrinter].jobs << PrinterHandle::Job{jobs.at(i), u"单%1"_s.arg(i + 1)};
    ScriptedPrompt prompt;
    RawPrinter printer(spooler, prompt);

    // The job is the text in GBK, LF line ends, up to its first zero character, and nothing else.
    QCOMPARE(printer.PrintRaw(kDocument, kPrinter, u"热菜\n宫保鸡丁 x2\n"_s + QChar(0) + u"B2"_s), accepted);
    QCOMPARE(printer.printStatus(), message);
    QCOMPARE(spooler.documents.size(), accepted ? 1 : 0);
    if (accepted)
        QCOMPARE(spooler.documents.first().bytes,
                 QByteArray("\xC8\xC8\xB2\xCB\n\xB9\xAC\xB1\xA3\xBC\xA6\xB6\xA1 x2\n"));
    QCOMPARE(prompt.texts(), accepted ? QStringList() : QStringList{refusal(message)});
    if (!accepted)
        QCOMPARE(prompt.shown().first().caption, u"Orvo餐饮收银系统"_s);
    QCOMPARE(spooler.openHandles, 0);
}

void TestPrinterStatus::errorKeepsThePreviousMessage()
{
    FakeSpooler spooler;
    ScriptedPrompt prompt;
    RawPrinter printer(spooler, prompt);
    QVERIFY(!printer.CheckPrinterStatus(nullptr));
    QCOMPARE(printer.printStatus(), u"打印机不存在！"_s);
    spooler.printers[kPrinter].status = PrinterStatus::Paused;
    QVERIFY(!printer.PrintRaw(kDocument, kPrinter, u"x"_s));
    spooler.printers[kPrinter].status = PrinterStatus::Error | PrinterStatus::PaperJam;
    QVERIFY(!printer.PrintRaw(kDocument, kPrinter, u"x"_s));
    QCOMPARE(prompt.texts(), QStringList(2, refusal(u"打印暂停中..."_s)));
    QVERIFY(spooler.documents.isEmpty());
}

void TestPrinterStatus::failures_data()
{
    QTest::addColumn<QString>("printer");
    QTest::addColumn<int>("failure"); // 0 none, 1 state unreadable, 2 start fails, 3 end fails
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("unknown printer, silent") << u"厨房9"_s << 0 << QStringList{};
    QTest::newRow("no printer name, silent") << QString() << 0 << QStringList{};
    QTest::newRow("state unreadable") << kPrinter << 1 << QStringList{refusal(u"打印失败！"_s)};
    QTest::newRow("document cannot start") << kPrinter << 2 << QStringList{"打印失败"};
    QTest::newRow("document cannot end") << kPrinter << 3 << QStringList{};
}

void TestPrinterStatus::failures()
{
    QFETCH(QString, printer);
    QFETCH(int, failure);
    FakeSpooler spooler;
    FakeSpooler::Printer& p = spooler.printers[kPrinter];
    p.stateUnreadable = failure == 1;
    p.startFails = failure == 2;
    p.endFails = failure == 3;
    ScriptedPrompt prompt;
    RawPrinter raw(spooler, prompt);
    QVERIFY(!raw.PrintRaw(kDocument, printer, u"宫保鸡丁\n"_s));
    QTEST(prompt.texts(), "messages");
    QVERIFY(spooler.documents.isEmpty());
    QCOMPARE(spooler.opens, printer == kPrinter ? 1 : 0);
    QCOMPARE(spooler.openHandles, 0);
}

PELVAR_TEST(TestPrinterStatus)
#include "tst_PrinterStatus.moc"
