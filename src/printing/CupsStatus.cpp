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

// A reason keyword may carry the severity suffix "-report", "-warning" or "-error"; a listed
// keyword counts with any suffix, an unlisted one only as an error.
quint32 reasonStatus(const QString& reason)
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
        {QStringLiteral("offline-report"), Offline},
        {QStringLiteral("connecting-to-device"), Offline},
        {QStringLiteral("timed-out"), Offline},
        {QStringLiteral("door-open"), DoorOpen},
        {QStringLiteral("cover-open"), DoorOpen},
        {QStringLiteral("interlock-open"), DoorOpen},
        {QStringLiteral("other"), Error},
    };
    if (const auto it = listed.constFind(reason); it != listed.constEnd())
        return *it;
    for (const QLatin1String suffix :
         {QLatin1String("-error"), QLatin1String("-warning"), QLatin1String("-report")}) {
        if (reason.endsWith(suffix)) {
            const quint32 base = listed.value(reason.chopped(suffix.size()));
            if (base)
                return base;
            return suffix == QLatin1String("-error") ? Error : 0;
        }
    }
    return 0;
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
