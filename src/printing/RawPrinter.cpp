#include "RawPrinter.h"

#include "Gbk.h"
#include "PrintStatus.h"
#include "Prompt.h"
#include "Spooler.h"

namespace {

struct BitMessage
{
    quint32 bit;
    const char* message;
};

// Printer conditions in the order they are tested; the first one set decides.
// PrinterStatus::Error is among them with no message: the previous one stays.
const BitMessage kPrinterProblems[] = {
    {PrinterStatus::Paused, "打印暂停中..."},
    {PrinterStatus::Busy, "打印机繁忙，/n被临时占用"},
    {PrinterStatus::Waiting, "打印等待中..."},
    {PrinterStatus::ServerUnknown, "未连接打印机服务器"},
    {PrinterStatus::Error, nullptr},
    {PrinterStatus::PaperJam, "打印机卡纸"},
    {PrinterStatus::PaperOut, "打印纸位置不正确"},
    {PrinterStatus::PaperProblem, "打印纸出现问题"},
    {PrinterStatus::OutputBinFull, "打印输出已满"},
    {PrinterStatus::NotAvailable, "打印机不可用"},
    {PrinterStatus::TonerLow, "打印机墨粉不足"},
    {PrinterStatus::NoToner, "打印机没有墨粉"},
    {PrinterStatus::OutOfMemory, "打印内存溢出"},
    {PrinterStatus::Offline, "无法连接打印机，\n可能是打印机未启动"},
    {PrinterStatus::DoorOpen, "打印机的门是开着的，\n请关闭"},
};

struct JobOutcome
{
    quint32 bit;
    bool withDocument; // the message follows the job's document name
    const char* message;
    bool result;
};

// Job conditions in the order they are tested; the first one set decides.
const JobOutcome kJobOutcomes[] = {
    {JobStatus::Printed, false, "打印成功！", true},
    {JobStatus::Deleted, false, "已取消打印", true},
    {JobStatus::Paused, true, "打印作业暂停...", false},
    {JobStatus::Error, false, "打印作业出错", false},
    {JobStatus::Spooling, true, "打印作业脱机", false},
    {JobStatus::Offline, true, "打印作业未连接", false},
    {JobStatus::PaperOut, true, "打印纸位置不正确", false},
    {JobStatus::BlockedDevq, true, "打印作业出错", false},
    {JobStatus::Restart, false, "打印作业重新启动", true},
};

const QString kPrinting = QStringLiteral("正在打印...");

} // namespace

RawPrinter::RawPrinter(Spooler& spooler, Prompt& prompt) : m_spooler(spooler), m_prompt(prompt) {}

bool RawPrinter::PrintRaw(const QString& docName, const QString& printerName, const QString& text)
{
    // The program's own control bytes are the line feeds that end its lines; any other (ESC p opens
    // a cash drawer, GS V cuts, a zero would end the job) came in with text and is dropped. In GBK
    // a byte below 0x20 or 0x7F is always a character of its own, never half of a Chinese one.
    QByteArray bytes = Gbk::encode(text);
    bytes.removeIf([](char b) { return (static_cast<unsigned char>(b) < 0x20 && b != '\n') || b == 0x7F; });

    const std::unique_ptr<PrinterHandle> printer = m_spooler.open(printerName);
    if (!printer)
        return false;
    if (!CheckPrinterStatus(printer.get())) {
        m_prompt.warn(QStringLiteral("打印机:%1").arg(printerName) + m_strPrintStatus +
                          QStringLiteral(",打印有可能漏单,打印失败,请检查此打印机!"),
                      kCaption);
        return false;
    }
    if (!printer->startDocument(docName)) {
        m_prompt.warn(QStringLiteral("打印失败"), kCaption);
        return false;
    }
    printer->write(bytes);
    return printer->endDocument();
}

bool RawPrinter::CheckPrinterStatus(PrinterHandle* printer)
{
    if (!printer) {
        m_strPrintStatus = QStringLiteral("打印机不存在！");
        return false;
    }
    QList<PrinterHandle::Job> jobs;
    quint32 status = 0;
    if (!GetPrinterJobs(*printer, jobs, status)) {
        m_strPrintStatus = QStringLiteral("打印失败！");
        return false;
    }

    bool result = false;
    if (status & PrinterStatus::Printing) {
        m_strPrintStatus = kPrinting;
        result = true;
    } else {
        for (const BitMessage& problem : kPrinterProblems) {
            if (status & problem.bit) {
                if (problem.message)
                    m_strPrintStatus = QString::fromUtf8(problem.message);
                return false;
            }
        }
    }
    return checkJobs(jobs, result);
}

bool RawPrinter::checkJobs(const QList<PrinterHandle::Job>& jobs, bool printerResult)
{
    constexpr quint32 kPrintingTrouble =
        JobStatus::Error | JobStatus::Offline | JobStatus::PaperOut | JobStatus::BlockedDevq;
    for (const PrinterHandle::Job& job : jobs) {
        const quint32 s = job.status;
        if (s == 0)
            continue;
        if (s & JobStatus::Printing) {
            m_strPrintStatus = kPrinting;
            if (s & kPrintingTrouble) {
                m_strPrintStatus = job.document + QStringLiteral("打印出错！");
                return printerResult;
            }
        }
        for (const JobOutcome& outcome : kJobOutcomes) {
            if (s & outcome.bit) {
                const QString message = QString::fromUtf8(outcome.message);
                m_strPrintStatus = outcome.withDocument ? job.document + message : message;
                return outcome.result;
            }
        }
        m_strPrintStatus = QStringLiteral("打印完成");
        return true;
    }
    m_strPrintStatus =
        jobs.isEmpty() ? QStringLiteral("打印结束，\n当前无打印任务！") : QStringLiteral("打印成功！");
    return true;
}

bool RawPrinter::GetPrinterJobs(PrinterHandle& printer, QList<PrinterHandle::Job>& jobs, quint32& status)
{
    return printer.readState(status, jobs);
}
