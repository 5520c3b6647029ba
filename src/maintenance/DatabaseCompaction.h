#pragma once

class Database;
class Prompt;

// 数据库压缩/修复: SQLite rewrites the open database into a compact file of its own (VACUUM).
// The rewrite is atomic, so a failure leaves the file as it was and the connection open.
class DatabaseCompaction final
{
public:
    DatabaseCompaction(Database& db, Prompt& prompt);

    // Shows "数据库压缩/修复完毕!" when `announce` is set, or the failure with SQLite's reason.
    bool compact(bool announce = true);

private:
    Database& m_db;
    Prompt& m_prompt;
};
