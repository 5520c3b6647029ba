#pragma once

#include <QString>

// The screens write their statements in the Jet dialect; translate() rewrites one statement for
// SQLite just before it runs. Quoted literals are never touched: a note "#3#" or a name
// "delete * from" stays exactly as typed.
//
//   #2010-01-01 9:5:3#                      -> '2010-01-01 09:05:03' (dates: '2026-12-06')
//   delete * from t                          -> delete from t
//   select top N ...                         -> select ... limit N
//   CDbl(x)                                  -> cast(x as real)
//   format(col,'yyyy-mm-dd')                 -> substr(col,1,10)
//   SELECT @@Identity as x from t            -> select last_insert_rowid() as x
//   alter table t alter column [c] COUNTER (1, 1)  -> restart t's counter at 1
class JetDialect final
{
public:
    static QString translate(const QString& statement);
};
