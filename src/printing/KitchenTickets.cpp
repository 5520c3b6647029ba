#include "KitchenTickets.h"

#include "Database.h"
#include "DbError.h"
#include "Field.h"
#include "Gbk.h"
#include "Prompt.h"
#include "RawPrinter.h"
#include "Sql.h"

#include <algorithm>

namespace {

// The tickets of one printer: the settings of the first category met that names it.
struct Group
{
    QString printer;
    QString text;
    QString copies;
    QString endLines;
    QList<qsizetype> lines; // positions in the selection
};

class BusyScope
{
public:
    explicit BusyScope(const KitchenTickets::BusyHook& hook) : m_hook(hook)
    {
        if (m_hook)
            m_hook(true);
    }
    ~BusyScope()
    {
        if (m_hook)
            m_hook(false);
    }

private:
    const KitchenTickets::BusyHook& m_hook;
};

// A name or a note stays on its line of the ticket: a line break in it would start a line that
// looks like the program's own.
QString oneLine(QString text)
{
    return text.replace(QLatin1String("\r\n"), QLatin1String(" "))
        .replace(QLatin1Char('\n'), QLatin1Char(' '))
        .replace(QLatin1Char('\r'), QLatin1Char(' '));
}

QString lineFeeds(const QString& count)
{
    return QString(qMax(0, Field::toInt(count)), QLatin1Char('\n'));
}

} // namespace

KitchenTickets::KitchenTickets(Database& db, RawPrinter& printer, BusyHook busy)
    : m_db(db), m_printer(printer), m_busy(std::move(busy))
{
}

QString KitchenTickets::ticket(const Line& line, const QString& table)
{
    const QString item =
        oneLine(line.item) + (line.printed ? QStringLiteral("[催单]") : QStringLiteral("[下单]"));
    return QStringLiteral("项目名:") + Gbk::padRight(item, 16) + QStringLiteral("\n餐桌名:") +
           Gbk::padRight(oneLine(table), 4) + QStringLiteral("数量:") + Gbk::padRight(line.quantity, 6) +
           QStringLiteral("\n备注:") + Gbk::padRight(oneLine(line.note), 10) + QStringLiteral("时间:") +
           Gbk::padRight(line.time.toString(QStringLiteral("HH:mm:ss")), 10) +
           QStringLiteral("\n--------------------\n");
}

void KitchenTickets::PrintKitchenTickets(QList<Line>& selected, const QString& table)
{
    const BusyScope busy(m_busy);
    Prompt& prompt = m_db.prompt();
    if (selected.isEmpty()) {
        prompt.warn(QStringLiteral("请选定消费项目!"));
        return;
    }
    Recordset settings;
    if (m_db.OpenRecordset(settings, QStringLiteral("select * from dysz where cfdy='1'")) &&
        settings.isEOF()) {
        prompt.warn(QStringLiteral("没有启用厨房打印功能!"));
        return;
    }

    QList<Group> groups;
    for (qsizetype i = 0; i < selected.size(); ++i) {
        const Line& line = selected.at(i);
        Recordset category;
        // A category that cannot be read, or has no row, sends nothing: its lines stay unprinted.
        if (!m_db.OpenRecordset(category,
                                QStringLiteral("select dyjmc,dybt,dyfs,qskh,jskh from lb where lbm=") +
                                    Sql::quote(line.category)) ||
            category.isEOF())
            continue;
        QString printer = category.getString(QStringLiteral("dyjmc"));
        if (printer == kNoKitchenPrinter)
            printer.clear();
        auto group =
            std::find_if(groups.begin(), groups.end(), [&](const Group& g) { return g.printer == printer; });
        if (group == groups.end()) {
            groups.append(Group{printer,
                                lineFeeds(category.getString(QStringLiteral("qskh"))) +
                                    category.getString(QStringLiteral("dybt")) + QStringLiteral("\n"),
                                category.getString(QStringLiteral("dyfs")),
                                category.getString(QStringLiteral("jskh")),
                                {}});
            group = groups.end() - 1;
        }
        group->text += ticket(line, table);
        group->lines << i;
    }

    const QString document = QStringLiteral("厨打-餐桌：") + table;
    QStringList refused;
    QStringList unmarked;
    QString error;
    for (Group& group : groups) {
        group.text += lineFeeds(group.endLines);
        // Lines count as sent when one copy reached the spooler; a category set to no copies, or
        // without a kitchen printer, sends none.
        const int copies = group.printer.isEmpty() ? 0 : Field::toInt(group.copies);
        bool sent = copies <= 0;
        for (int copy = 0; copy < copies; ++copy) {
            const bool handed = m_printer.PrintRaw(document, group.printer, group.text);
            sent = sent || handed;
        }
        if (!sent) {
            refused << QStringLiteral("打印机:%1厨打失败,其消费项目仍为未打印!").arg(group.printer);
            continue;
        }
        for (const qsizetype i : std::as_const(group.lines)) {
            Line& line = selected[i];
            try {
                m_db.ExecuteSql(QStringLiteral("update xfmx set sfdy='1' where xfbh=") + line.number);
                line.printed = true;
            } catch (const DbError& e) {
                // The line shows what is stored: its next ticket orders it again.
                unmarked << line.item;
                error = e.description();
            }
        }
    }
    if (!unmarked.isEmpty())
        refused << QStringLiteral("已送厨房但未能记为已打印,再次厨打将重复下单:%1\nADO Error: %2")
                       .arg(unmarked.join(QStringLiteral("、")), error);
    if (!refused.isEmpty())
        prompt.warn(refused.join(QLatin1Char('\n')));
}
