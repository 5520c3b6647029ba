#pragma once

#include <QStringList>

// How CUPS states read as the status words of the raw-job checks: the one place that maps them.
namespace CupsStatus {

// From a printer's printer-state (3 idle, 4 processing, 5 stopped), printer-state-reasons and
// printer-is-accepting-jobs.
quint32 printerStatus(int state, const QStringList& reasons, bool acceptingJobs);

// From a queued job's job-state (3 pending ... 9 completed) and the status word of its printer.
quint32 jobStatus(int state, quint32 printerStatus);

} // namespace CupsStatus
