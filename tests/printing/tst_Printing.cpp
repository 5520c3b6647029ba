#include "CupsStatus.h"
#include "FakeSpooler.h"
#include "Gbk.h"
#include "KitchenTickets.h"
#include "PrintStatus.h"
#include "RawPrinter.h"
#include "ScriptedPrompt.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <QTest>

using namespace Qt::StringLiterals;
using Line = KitchenTickets::Line;

namespace {

const QString kPrinter = u"厨房1"_s;
const QString kDocument = u"厨打-餐桌：A1"_s;

QString refusal(const QString& status, const QString& printer = kPrinter)
{
    return u"打印机:"_s + printer + status + u",打印有可能漏单,打印失败,请检查此打印机!"_s;
}

QDateTime at(const char* time)
{
    return QDateTime(QDate(2026, 12, 6), QTime::fromString(QString::fromLatin1(time)));
}

const QString kUnprinted = u"打印机:%1厨打失败,其消费项目仍为未打印!"_s;

} // namespace

// The status words of CUPS states (printer-state 3 idle, 4 processing, 5 stopped; job-state 3 pending,
// 4 held, 5 processing, 6 stopped, 7 canceled, 8 aborted), the checks of a raw job, kitchen tickets.
class TestPrinting : public QObject
{
    Q_OBJECT
private slots:
    void cupsPrinter_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QStringList>("reasons");
        QTest::addColumn<bool>("accepting");
        QTest::addColumn<quint32>("status");
        using namespace PrinterStatus;
        QTest::newRow("idle") << 3 << QStringList{"none"} << true << 0u;
        QTest::newRow("processing, rejecting") << 4 << QStringList{} << false << (Printing | NotAvailable);
        QTest::newRow("stopped") << 5 << QStringList{} << true << Paused;
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
    }

    void cupsPrinter()
    {
        QFETCH(int, state);
        QFETCH(QStringList, reasons);
        QFETCH(bool, accepting);
        QTEST(CupsStatus::printerStatus(state, reasons, accepting), "status");
    }

    void cupsJob_data()
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

    void cupsJob()
    {
        QFETCH(int, state);
        QFETCH(quint32, printerStatus);
        QTEST(CupsStatus::jobStatus(state, printerStatus), "status");
    }

    void inspection_data()
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
            {P::DoorOpen | P::NotAvailable, {}, "打印机不可用", false},
            {P::Error | P::PaperJam, {}, "", false}, {0, {}, idle, true}, // ERROR keeps the last message
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

    void inspection()
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

        // The job is the text in GBK with its LF line ends, and nothing else: control bytes that came
        // in with the text (ESC p opens a cash drawer, GS V cuts, a zero would end the job) are dropped.
        QCOMPARE(printer.PrintRaw(kDocument, kPrinter,
                                  u"热菜\n宫保鸡丁 x2\n\x1bp"_s + QChar(0) + u"B2\x1dV\x7f\t\r"_s),
                 accepted);
        QCOMPARE(printer.printStatus(), message);
        QCOMPARE(spooler.documents.value(0).bytes,
                 accepted ? QByteArray("\xC8\xC8\xB2\xCB\n\xB9\xAC\xB1\xA3\xBC\xA6\xB6\xA1 x2\npB2V")
                          : QByteArray());
        QCOMPARE(prompt.texts().join(QString()) + prompt.shown().value(0).caption,
                 accepted ? QString() : refusal(message) + u"Orvo餐饮收银系统"_s);
        QCOMPARE(spooler.documents.size() + spooler.openHandles, accepted ? 1 : 0);
    }

    // An unknown printer, or none named, fails without a word; a state that cannot be read, or a
    // document that cannot start, is refused with its message; one that cannot end fails silently.
    void failures()
    {
        const QString none;
        // clang-format off
        const std::tuple<QString, int, QString> cases[] = {{u"厨房9"_s, 0, none}, {none, 0, none},
            {kPrinter, 1, refusal(u"打印失败！"_s)}, {kPrinter, 2, u"打印失败"_s}, {kPrinter, 3, none}};
        // clang-format on
        for (const auto& [name, failure, message] : cases) {
            FakeSpooler spooler;
            FakeSpooler::Printer& p = spooler.printers[kPrinter];
            p.stateUnreadable = failure == 1;
            p.startFails = failure == 2;
            p.endFails = failure == 3;
            ScriptedPrompt prompt;
            QVERIFY(!RawPrinter(spooler, prompt).PrintRaw(kDocument, name, u"宫保鸡丁\n"_s));
            QCOMPARE(prompt.texts().join(QString()), message);
            QCOMPARE(spooler.documents.size() + spooler.openHandles, 0);
            QCOMPARE(spooler.opens, name == kPrinter ? 1 : 0);
        }
    }

    void ticket_data()
    {
        QTest::addColumn<QStringList>("line"); // item, table, quantity, note
        QTest::addColumn<bool>("printed");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("return line") << QStringList{"宫保鸡丁(退)", "A1", "-1.00", ""} << false
            << "项目名:宫保鸡丁(退)[下单]\n餐桌名:A1  数量:-1.00 \n备注:          时间:09:05:03  \n";
        QTest::newRow("item of 16 bytes, reminder") << QStringList{"红烧狮子头", "B12", "12.50", ""} << true
            << "项目名:红烧狮子头[催单]\n餐桌名:B12 数量:12.50 \n备注:          时间:09:05:03  \n";
        QTest::newRow("table of 4 bytes") << QStringList{"Cola", "贵宾", "1.00", "少辣"} << false
            << "项目名:Cola[下单]      \n餐桌名:贵宾数量:1.00  \n备注:少辣      时间:09:05:03  \n";
        QTest::newRow("long fields kept whole") << QStringList{"红烧狮子头A", "大厅12", "1000.00", "不要辣多放葱花"} << false
            << "项目名:红烧狮子头A[下单]\n餐桌名:大厅12数量:1000.00\n备注:不要辣多放葱花时间:09:05:03  \n";
        QTest::newRow("line breaks in fields") << QStringList{"鱼\n项目名:龙虾", "A\r\n1", "1.00", "少辣\r"} << false
            << "项目名:鱼 项目名:龙虾[下单]\n餐桌名:A 1 数量:1.00  \n备注:少辣      时间:09:05:03  \n";
        // clang-format on
    }

    void ticket()
    {
        QFETCH(QStringList, line);
        QFETCH(bool, printed);
        QFETCH(QString, expected);
        const Line ticketLine{u"1"_s, line.at(0), line.at(2), u"热菜"_s, at("09:05:03"), line.at(3), printed};
        QCOMPARE(KitchenTickets::ticket(ticketLine, line.at(1)), expected + u"--------------------\n"_s);
    }

    // Three categories on two kitchen printers, 酒水 sharing 厨房1 with 热菜 (met first, so its title,
    // blank lines and copies are 热菜's), and four lines of A1, the third printed before. `documents`
    // names the jobs: hot (厨房1), cold (厨房2), bar (厨房1 as 酒水 sets it up).
    void jobs_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("paused"); // 厨房2
        QTest::addColumn<bool>("selected");
        QTest::addColumn<QStringList>("documents");
        QTest::addColumn<QString>("marks"); // stored, then listed
        QTest::addColumn<QStringList>("messages");
        const QString noCategory = u"delete from lb where lbm='热菜'"_s;
        const QString refuseMark =
            u"create trigger r before update on xfmx when old.xfbh=4 begin select raise(abort,'磁盘已满'); end"_s;
        const QString copies = u"update lb set dyfs='%1' where dyjmc='厨房2'"_s;
        const QString printer = u"update lb set dyjmc='%1' where dyjmc='厨房2'"_s;
        // clang-format off
        QTest::newRow("one job per printer") << "" << false << true << QStringList{"hot", "cold"} << "11111111" << QStringList{};
        QTest::newRow("no copies") << copies.arg("0") << false << true << QStringList{"hot"} << "11111111" << QStringList{};
        QTest::newRow("copies abc") << copies.arg("abc") << false << true << QStringList{"hot"} << "11111111" << QStringList{};
        QTest::newRow("two copies") << copies.arg("2份") << false << true << QStringList{"hot", "cold", "cold"} << "11111111" << QStringList{};
        QTest::newRow("paused printer") << "" << true << true << QStringList{"hot"} << "10111011"
                                        << QStringList{refusal(u"打印暂停中..."_s, u"厨房2"_s), kUnprinted.arg("厨房2")};
        QTest::newRow("unknown printer") << printer.arg("厨房9") << false << true << QStringList{"hot"} << "10111011"
                                         << QStringList{kUnprinted.arg("厨房9")};
        // A category without a kitchen printer prints nothing, and its lines count as handled.
        QTest::newRow("no printer set") << printer.arg("") << false << true << QStringList{"hot"} << "11111111"
                                        << QStringList{};
        QTest::newRow("not to the kitchen") << printer.arg("此类项目不打印到后厨") << false << true << QStringList{"hot"}
                                            << "11111111" << QStringList{};
        QTest::newRow("category without row") << noCategory << false << true << QStringList{"cold", "bar", "bar", "bar"}
                                              << "01110111" << QStringList{};
        // The list shows what is stored, so that the next ticket of 青岛啤酒 orders it again.
        QTest::newRow("mark not stored") << refuseMark << false << true << QStringList{"hot", "cold"} << "11101110"
                                         << QStringList{"已送厨房但未能记为已打印,再次厨打将重复下单:青岛啤酒\nADO Error: 磁盘已满"};
        QTest::newRow("kitchen printing off") << "update dysz set cfdy='0'" << false << true << QStringList{} << "00100010"
                                              << QStringList{"没有启用厨房打印功能!"};
        QTest::newRow("nothing selected") << "" << false << false << QStringList{} << "0010" << QStringList{"请选定消费项目!"};
        // clang-format on
    }

    void jobs()
    {
        QFETCH(QString, change);
        QFETCH(bool, paused);
        QFETCH(bool, selected);
        QFETCH(QStringList, documents);
        TestDatabase t;
        // clang-format off
        t.exec(u"insert into lb (lbm, dyjmc, dybt, dyfs, qskh, jskh) values ('热菜', '厨房1', '热菜厨房', 1, 0, 0), "
               "('师傅''s凉菜', '厨房2', '凉菜间', 1, 2, 3), ('酒水', '厨房1', '吧台', 3, 5, 5)"_s);
        t.exec(u"insert into xfmx (czm, xfxm, sl, sfdy) values ('A1', '宫保鸡丁', 2, 0), ('A1', '拍黄瓜', 1, 0), "
               "('A1', '鱼香肉丝', 1, 1), ('A1', '青岛啤酒', 6, 0)"_s);
        // clang-format on
        if (!change.isEmpty())
            t.exec(change);
        FakeSpooler spooler;
        spooler.printers[u"厨房1"_s];
        spooler.printers[u"厨房2"_s].status = paused ? PrinterStatus::Paused : 0;
        RawPrinter printer(spooler, t.prompt);
        QList<bool> busy;
        QList<Line> lines{
            {u"1"_s, u"宫保鸡丁"_s, u"2.00"_s, u"热菜"_s, at("12:30:05"), {}, false},
            {u"2"_s, u"拍黄瓜"_s, u"1.00"_s, u"师傅's凉菜"_s, at("12:30:09"), u"少放蒜"_s, false},
            {u"3"_s, u"鱼香肉丝(赠)"_s, u"1.00"_s, u"热菜"_s, at("12:31:00"), {}, true},
            {u"4"_s, u"青岛啤酒"_s, u"6.00"_s, u"酒水"_s, at("12:31:30"), u"冰的"_s, false}};
        const QList<Line> all = lines;
        if (!selected)
            lines.clear();
        KitchenTickets(t.db, printer, [&busy](bool on) { busy << on; }).PrintKitchenTickets(lines, u"A1"_s);

        const auto ticket = [&all](int i) { return KitchenTickets::ticket(all.at(i), u"A1"_s); };
        const QHash<QString, QString> texts{
            {u"hot"_s, u"厨房1:热菜厨房\n"_s + ticket(0) + ticket(2) + ticket(3)},
            {u"cold"_s, u"厨房2:\n\n凉菜间\n"_s + ticket(1) + u"\n\n\n"_s},
            {u"bar"_s, u"厨房1:\n\n\n\n\n吧台\n"_s + ticket(3) + u"\n\n\n\n\n"_s}};
        QStringList expected, sent;
        for (const QString& document : std::as_const(documents))
            expected << texts.value(document) + u"厨打-餐桌：A1"_s;
        for (const FakeSpooler::Document& d : std::as_const(spooler.documents))
            sent << d.printer + u':' + Gbk::decode(d.bytes) + d.name;
        QCOMPARE(sent, expected);
        QString marks =
            t.scalar(u"select group_concat(sfdy, '') from (select sfdy from xfmx order by xfbh)"_s);
        for (const Line& line : std::as_const(lines))
            marks += line.printed ? u'1' : u'0';
        QTEST(marks, "marks");
        QTEST(t.prompt.texts(), "messages");
        QCOMPARE(busy, (QList<bool>{true, false}));
    }
};

PELVAR_TEST(TestPrinting)
#include "tst_Printing.moc"
