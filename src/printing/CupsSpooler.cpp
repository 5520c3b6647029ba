#include "CupsSpooler.h"

#include "CupsPrinter.h"

#include <cups/cups.h>

QStringList CupsSpooler::printerNames()
{
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    QStringList names;
    for (int i = 0; i < count; ++i) {
        if (!dests[i].instance)
            names << QString::fromUtf8(dests[i].name);
    }
    cupsFreeDests(count, dests);
    return names;
}

std::unique_ptr<PrinterHandle> CupsSpooler::open(const QString& name)
{
    if (name.isEmpty())
        return nullptr;
    http_t* http =
        httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 30000, nullptr);
    if (!http)
        return nullptr;
    const QByteArray queue = name.toUtf8();
    cups_dest_t* dest = cupsGetNamedDest(http, queue.constData(), nullptr);
    if (!dest) {
        httpClose(http);
        return nullptr;
    }
    QByteArray uri = cupsGetOption("printer-uri-supported", dest->num_options, dest->options);
    cupsFreeDests(1, dest);
    if (uri.isEmpty()) {
        char assembled[HTTP_MAX_URI];
        httpAssembleURIf(HTTP_URI_CODING_ALL, assembled, sizeof assembled, "ipp", nullptr, "localhost",
                         ippPort(), "/printers/%s", queue.constData());
        uri = assembled;
    }
    return std::make_unique<CupsPrinter>(http, queue, uri);
}
