#include "PrintSettings.h"

#include "Database.h"
#include "DbError.h"
#include "Field.h"
#include "Prompt.h"
#include "Sql.h"

namespace {

QString flag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

int PrintSettings::footerBlankLines() const
{
    return Field::toInt(blankLines);
}

std::optional<PrintSettings> PrintSettings::load(Database& db)
{
    Recordset rs;
    if (!db.OpenRecordset(rs, QStringLiteral("select * from dysz ")) || rs.isEOF())
        return std::nullopt;
    PrintSettings s;
    s.printAtCheckout = rs.getString(QStringLiteral("jzdy")) == QLatin1String("1");
    s.printer = rs.getString(QStringLiteral("dyjmc"));
    s.title1 = rs.getString(QStringLiteral("bt1"));
    s.title2 = rs.getString(QStringLiteral("bt2"));
    s.footer1 = rs.getString(QStringLiteral("yj1"));
    s.footer2 = rs.getString(QStringLiteral("yj2"));
    s.blankLines = rs.getString(QStringLiteral("yjkh"));
    s.kitchenPrinting = rs.getString(QStringLiteral("cfdy")) == QLatin1String("1");
    return s;
}

PrintSettings::Result PrintSettings::save(Database& db) const
{
    bool whole = false;
    const int lines = blankLines.trimmed().toInt(&whole);
    if (!whole || lines < 0 || lines > kMaxBlankLines) {
        const QString message = QStringLiteral("页脚空行应为0到20之间的整数!");
        db.prompt().warn(message);
        return {false, message, Input::BlankLines};
    }
    try {
        db.ExecuteSql(QStringLiteral("Update dysz set jzdy=") + Sql::quote(flag(printAtCheckout)) +
                      QStringLiteral(",dyjmc=") + Sql::quote(printer) + QStringLiteral(",bt1=") +
                      Sql::quote(title1) + QStringLiteral(",bt2=") + Sql::quote(title2) +
                      QStringLiteral(",yj1=") + Sql::quote(footer1) + QStringLiteral(",yj2=") +
                      Sql::quote(footer2) + QStringLiteral(",yjkh=") + Sql::quote(blankLines) +
                      QStringLiteral(",cfdy=") + Sql::quote(flag(kitchenPrinting)));
    } catch (const DbError& e) {
        db.prompt().warn(QStringLiteral("ADO Error: %1").arg(e.description()));
        return {};
    }
    db.prompt().info(QStringLiteral("保存成功!"));
    return Result::of(true);
}
