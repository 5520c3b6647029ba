#pragma once

#include "PrinterHandle.h"

#include <QString>

class Prompt;
class Spooler;

// Raw text jobs to the kitchen and receipt printers. Before a job goes out the printer and the
// jobs queued on it are inspected; a printer that reports a problem gets no job and the operator
// is told which printer failed and why. The program keeps one for its whole run.
class RawPrinter final
{
public:
    static inline const QString kCaption = QStringLiteral("Orvo餐饮收银系统");

    RawPrinter(Spooler& spooler, Prompt& prompt);

    // Sends the text, in GBK and nothing added, as one job named docName; of the control bytes
    // only the line feeds go out. True when the spooler took the whole document. An unknown
    // printer fails without a word.
    bool PrintRaw(const QString& docName, const QString& printerName, const QString& text);

    // Inspects an opened printer (null: none was opened) and records why in printStatus(); true
    // means a job may be sent.
    bool CheckPrinterStatus(PrinterHandle* printer);

    // The printer's status word and its queued jobs; false when either cannot be read.
    bool GetPrinterJobs(PrinterHandle& printer, QList<PrinterHandle::Job>& jobs, quint32& status);

    // The message of the last inspection.
    const QString& printStatus() const { return m_strPrintStatus; }

private:
    bool checkJobs(const QList<PrinterHandle::Job>& jobs, bool printerResult);

    Spooler& m_spooler;
    Prompt& m_prompt;
    QString m_strPrintStatus;
};
