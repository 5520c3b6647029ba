#pragma once

#include <QtGlobal>

// The status words that the raw-job checks test: one bit per condition of a printer or of a job
// in its queue. A spooler reports its own states in these words (see CupsStatus).
namespace PrinterStatus {
inline constexpr quint32 Paused = 0x1;
inline constexpr quint32 Error = 0x2;
inline constexpr quint32 PaperJam = 0x8;
inline constexpr quint32 PaperOut = 0x10;
inline constexpr quint32 PaperProblem = 0x40;
inline constexpr quint32 Offline = 0x80;
inline constexpr quint32 Busy = 0x200;
inline constexpr quint32 Printing = 0x400;
inline constexpr quint32 OutputBinFull = 0x800;
inline constexpr quint32 NotAvailable = 0x1000;
inline constexpr quint32 Waiting = 0x2000;
inline constexpr quint32 TonerLow = 0x20000;
inline constexpr quint32 NoToner = 0x40000;
inline constexpr quint32 OutOfMemory = 0x200000;
inline constexpr quint32 DoorOpen = 0x400000;
inline constexpr quint32 ServerUnknown = 0x800000;
} // namespace PrinterStatus

namespace JobStatus {
inline constexpr quint32 Paused = 0x1;
inline constexpr quint32 Error = 0x2;
inline constexpr quint32 Spooling = 0x8;
inline constexpr quint32 Printing = 0x10;
inline constexpr quint32 Offline = 0x20;
inline constexpr quint32 PaperOut = 0x40;
inline constexpr quint32 Printed = 0x80;
inline constexpr quint32 Deleted = 0x100;
inline constexpr quint32 BlockedDevq = 0x200;
inline constexpr quint32 Restart = 0x800;
} // namespace JobStatus
