#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// A printer opened on the spooler; destroying the handle closes the printer.
class PrinterHandle
{
public:
    struct Job
    {
        quint32 status = 0; // JobStatus bits
        QString document;
    };

    virtual ~PrinterHandle() = default;

    // The printer's status word (PrinterStatus bits) and its queued jobs in queue order; false
    // when either cannot be read.
    virtual bool readState(quint32& status, QList<Job>& jobs) = 0;

    // One raw document: start it under a name, write its bytes, end it. startDocument and
    // endDocument report whether the spooler took the step.
    virtual bool startDocument(const QString& name) = 0;
    virtual void write(const QByteArray& bytes) = 0;
    virtual bool endDocument() = 0;
};
