#pragma once

#include "Spooler.h"

#include <QMap>

// A spooler in memory, for the printer and job states a real one can't be driven into. Tests set
// each printer's status word and queue, and read back the documents it took.
class FakeSpooler final : public Spooler
{
public:
    struct Printer
    {
        quint32 status = 0;
        QList<PrinterHandle::Job> jobs;
        bool stateUnreadable = false;
        bool startFails = false;
        bool endFails = false;
    };

    struct Document
    {
        QString printer;
        QString name;
        QByteArray bytes;
    };

    QStringList printerNames() override { return printers.keys(); }
    std::unique_ptr<PrinterHandle> open(const QString& name) override;

    // The printers this spooler knows, by name.
    QMap<QString, Printer> printers;
    // Every document taken, in order.
    QList<Document> documents;
    // Printers opened and not yet closed.
    int openHandles = 0;
    int opens = 0;
};
