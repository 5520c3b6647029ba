#pragma once

#include <QString>

class Database;

// What restore asks of a copy of the chosen file before it takes anything from it: a SQLite
// database, undamaged, of this program, of a version it reads (an older one is brought forward in
// the copy), with every table and column the open database has, and with the operator 系统管理员.
namespace BackupCheck {

// Why the copy cannot be restored (such as "它已损坏"), empty when it can.
QString refusal(const QString& copy, Database& live);

} // namespace BackupCheck
