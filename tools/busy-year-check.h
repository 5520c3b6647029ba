#pragma once
// The rules a busy year's file keeps, checked after it is written (pelvar-busy-year --check).
#include <QTextStream>
#include <sqlite3.h>

namespace BusyYear {

// Runs every check on the connection, writing "ok" or "FAULT" and the first row found for each;
// returns the number of checks that found a fault.
int checkRules(sqlite3* db, QTextStream& err);

} // namespace BusyYear
