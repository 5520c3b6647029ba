#include "CupsPrinter.h"

#include "CupsStatus.h"

#include <cups/cups.h>

namespace {

bool succeeded()
{
    return cupsLastError() <= IPP_STATUS_OK_CONFLICTING;
}

} // namespace

CupsPrinter::CupsPrinter(http_t* http, const QByteArray& queue, const QByteArray& uri)
    : m_http(http), m_queue(queue), m_uri(uri)
{
}

CupsPrinter::~CupsPrinter()
{
    httpClose(m_http);
}

bool CupsPrinter::readPrinterStatus(quint32& status)
{
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, m_uri.constData());
    static const char* const wanted[] = {"printer-state", "printer-state-reasons",
                                         "printer-is-accepting-jobs"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3, nullptr, wanted);
    ipp_t* response = cupsDoRequest(m_http, request, "/");
    if (!response || !succeeded()) {
        ippDelete(response);
        return false;
    }
    ipp_attribute_t* state = ippFindAttribute(response, "printer-state", IPP_TAG_ENUM);
    ipp_attribute_t* accepting = ippFindAttribute(response, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
    QStringList reasons;
    if (ipp_attribute_t* attr = ippFindAttribute(response, "printer-state-reasons", IPP_TAG_KEYWORD)) {
        for (int i = 0; i < ippGetCount(attr); ++i)
            reasons << QString::fromUtf8(ippGetString(attr, i, nullptr));
    }
    status = CupsStatus::printerStatus(state ? ippGetInteger(state, 0) : IPP_PSTATE_IDLE, reasons,
                                       !accepting || ippGetBoolean(accepting, 0));
    ippDelete(response);
    return true;
}

bool CupsPrinter::readState(quint32& status, QList<Job>& jobs)
{
    jobs.clear();
    if (!readPrinterStatus(status))
        return false;
    cups_job_t* active = nullptr;
    const int count = cupsGetJobs2(m_http, &active, m_queue.constData(), 0, CUPS_WHICHJOBS_ACTIVE);
    if (count < 0 || !succeeded()) {
        if (count > 0)
            cupsFreeJobs(count, active);
        return false;
    }
    for (int i = 0; i < count; ++i)
        jobs << Job{CupsStatus::jobStatus(active[i].state, status), QString::fromUtf8(active[i].title)};
    cupsFreeJobs(count, active);
    return true;
}

bool CupsPrinter::startDocument(const QString& name)
{
    const QByteArray title = name.toUtf8();
    const int jobId = cupsCreateJob(m_http, m_queue.constData(), title.constData(), 0, nullptr);
    if (!jobId)
        return false;
    if (cupsStartDocument(m_http, m_queue.constData(), jobId, title.constData(), CUPS_FORMAT_RAW, 1) !=
        HTTP_STATUS_CONTINUE) {
        // A job without its document would stay queued and hold up the ones behind it.
        cupsCancelJob2(m_http, m_queue.constData(), jobId, 0);
        return false;
    }
    return true;
}

void CupsPrinter::write(const QByteArray& bytes)
{
    cupsWriteRequestData(m_http, bytes.constData(), size_t(bytes.size()));
}

bool CupsPrinter::endDocument()
{
    return cupsFinishDocument(m_http, m_queue.constData()) <= IPP_STATUS_OK_CONFLICTING;
}
