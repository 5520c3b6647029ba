#include "CupsStatus.h"

#include "PrintStatus.h"

#include <QHash>

namespace CupsStatus {

namespace {

enum PrinterState
{
    Processing = 4,
    Stopped = 5
};
enum JobState
{
    Held = 4,
    JobProcessing = 5,
    JobStopped = 6,
    Aborted = 8
};

// A reason counts at the severity IPP gives it: bare or with "-error" it sets its bit (an unlisted
// error is ERROR); with "-warning" or "-report" it is information only, so that a kitchen printer
// low on paper still takes its tickets.
quint32 reasonStatus(QString reason)
{
    using namespace PrinterStatus;
    static const QHash<QString, quint32> listed = {
        {QStringLiteral("paused"), Paused},
        {QStringLiteral("media-jam"), PaperJam},
        {QStringLiteral("media-empty"), PaperOut},
        {QStringLiteral("media-needed"), PaperOut},
        {QStringLiteral("input-tray-missing"), PaperProblem},
        {QStringLiteral("media-low"), PaperProblem},
        {QStringLiteral("output-area-full"), OutputBinFull},
        {QStringLiteral("toner-low"), TonerLow},
        {QStringLiteral("marker-supply-low"), TonerLow},
        {QStringLiteral("toner-empty"), NoToner},
        {QStringLiteral("marker-supply-empty"), NoToner},
        {QStringLiteral("spool-area-full"), OutOfMemory},
        {QStringLiteral("offline"), Offline},
        {QStringLiteral("connecting-to-device"), Offline},
        {QStringLiteral("timed-out"), Offline},
        {QStringLiteral("door-open"), DoorOpen},
        {QStringLiteral("cover-open"), DoorOpen},
        {QStringLiteral("interlock-open"), DoorOpen},
        {QStringLiteral("other"), Error},
    };
    if (reason.endsWith(QLatin1String("-warning")) || reason.endsWith(QLatin1String("-report")))
        return 0;
    const bool error = reason.endsWith(QLatin1String("-error"));
    if (error)
        reason.chop(6);
    return listed.value(reason, error ? Error : 0);
}

} // namespace

quint32 printerStatus(int state, const QStringList& reasons, bool acceptingJobs)
{
    quint32 status = 0;
    if (state == Processing)
        status |= PrinterStatus::Printing;
    if (state == Stopped)
        status |= PrinterStatus::Paused;
    if (!acceptingJobs)
        status |= PrinterStatus::NotAvailable;
    for (const QString& reason : reasons)
        status |= reasonStatus(reason);
    return status;
}

quint32 jobStatus(int state, quint32 printerStatus)
{
    switch (state) {
    case JobProcessing: {
        quint32 status = JobStatus::Printing;
        if (printerStatus & PrinterStatus::Error)
            status |= JobStatus::Error;
        if (printerStatus & PrinterStatus::Offline)
            status |= JobStatus::Offline;
        if (printerStatus & PrinterStatus::PaperOut)
            status |= JobStatus::PaperOut;
        return status;
    }
    case Held:
        return JobStatus::Paused;
    case JobStopped:
        return JobStatus::BlockedDevq;
    case Aborted:
        return JobStatus::Error;
    default: // pending, and the states that are no longer active
        return 0;
    }
}

} // namespace CupsStatus
