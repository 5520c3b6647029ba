#pragma once

#include "PrinterHandle.h"

typedef struct _http_s http_t;

// A CUPS queue opened by CupsSpooler: a connection to the server that is closed with the handle.
class CupsPrinter final : public PrinterHandle
{
public:
    // Takes over the connection.
    CupsPrinter(http_t* http, const QByteArray& queue, const QByteArray& uri);
    ~CupsPrinter() override;
    CupsPrinter(const CupsPrinter&) = delete;
    CupsPrinter& operator=(const CupsPrinter&) = delete;

    bool readState(quint32& status, QList<Job>& jobs) override;
    bool startDocument(const QString& name) override;
    void write(const QByteArray& bytes) override;
    bool endDocument() override;

private:
    bool readPrinterStatus(quint32& status);

    http_t* m_http;
    QByteArray m_queue;
    QByteArray m_uri;
};
