// Benchmarks of the data layer, built but not run by CTest: `./build/bench_data`.
// Each case runs the same statements through the layer and through raw SQLite on a file of
// the same shape, so the layer's own cost shows as a ratio.
#include "Database.h"
#include "Prompt.h"
#include "Sql.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

namespace {

class SilentPrompt final : public Prompt
{
public:
    Answer show(const QString&, const QString&, Icon, Buttons) override { return Answer::Ok; }
};

constexpr int kStatements = 10000;
constexpr int kTables = 40;

// The typical pair: order a dish on a table, then read that table's open lines.
QString insertLine(int i)
{
    return QStringLiteral("insert into xfmx (czm, xfxm, sl, xmdj, dzbl, dzje, ysje, jzr, bz) values (%1, %2, "
                          "'1.00', '%3', '1.00', 0, %3, '系统管理员', '')")
        .arg(Sql::quote(QStringLiteral("A%1").arg(i % kTables)), Sql::quote(QStringLiteral("宫保鸡丁%1").arg(i % 300)),
             Sql::money(18 + i % 50));
}

QString selectOpenLines(int i)
{
    return QStringLiteral("select * from xfmx where czm=%1 and jzbj='0'").arg(Sql::quote(QStringLiteral("A%1").arg(i % kTables)));
}

} // namespace

class BenchData : public QObject
{
    Q_OBJECT
private slots:
    void layerAgainstRawSqlite();
};

void BenchData::layerAgainstRawSqlite()
{
    // Statement texts are built beforehand: both sides pay only for running them.
    QStringList statements;
    for (int i = 0; i < kStatements / 2; ++i)
        statements << insertLine(i) << selectOpenLines(i);

    QTemporaryDir layerDir, rawDir;
    SilentPrompt prompt;
    Database db(prompt);
    db.open(QDir(layerDir.path()).filePath(Database::kFileName));
    // The raw side gets the same schema by copying a fresh file made by the layer.
    {
        Database seed(prompt);
        seed.open(QDir(rawDir.path()).filePath(Database::kFileName));
    }

    // Both sides read every field of every row as text, as a screen filling a list does.
    QElapsedTimer timer;
    timer.start();
    int rows = 0;
    for (const QString& s : statements) {
        Recordset rs;
        db.OpenRecordset(rs, s);
        for (; !rs.isEOF(); rs.moveNext()) {
            for (const QString& column : rs.columns())
                rs.getString(column);
            ++rows;
        }
    }
    const qint64 layerMs = timer.elapsed();

    sqlite3* raw = nullptr;
    sqlite3_open(QDir(rawDir.path()).filePath(Database::kFileName).toUtf8().constData(), &raw);
    sqlite3_exec(raw, "pragma journal_mode=wal", nullptr, nullptr, nullptr);
    timer.restart();
    int rawRows = 0;
    for (const QString& s : statements) {
        const QByteArray utf8 = s.toUtf8();
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(raw, utf8.constData(), int(utf8.size()), &stmt, nullptr);
        const int columns = sqlite3_column_count(stmt);
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            for (int c = 0; c < columns; ++c)
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, c)),
                                  sqlite3_column_bytes(stmt, c));
            ++rawRows;
        }
        sqlite3_finalize(stmt);
    }
    const qint64 rawMs = timer.elapsed();
    sqlite3_close(raw);

    QCOMPARE(rows, rawRows);
    qInfo("%d statements (%d rows read): layer %lld ms, raw SQLite %lld ms, ratio %.2f", kStatements, rows,
          layerMs, rawMs, double(layerMs) / double(qMax<qint64>(rawMs, 1)));
}

QTEST_GUILESS_MAIN(BenchData)
#include "bench_Data.moc"
