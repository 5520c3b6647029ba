#include "ReceiptPrinter.h"

#include "Clock.h"
#include "Database.h"
#include "DbError.h"
#include "Prompt.h"
#include "RawPrinter.h"
#include "Sql.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

const QString kPrintFailed = QStringLiteral("打印报表时发生异常，请重新操作打印！");

QFont receiptFont(int points)
{
    // The lines are padded with blanks to their columns, a Chinese character counting two: only a
    // fixed-pitch face whose ideographs are exactly two blanks wide lines them up.
    QFont font(QStringLiteral("Noto Sans Mono CJK SC"), points);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

} // namespace

ReceiptPrinter::ReceiptPrinter(Database& db, const QString& restaurant, RawPrint rawPrint)
    : m_db(db), m_restaurant(restaurant), m_rawPrint(std::move(rawPrint))
{
}

ReceiptPrinter::ReceiptPrinter(Database& db, const QString& restaurant, RawPrinter& rawPrinter)
    : ReceiptPrinter(db, restaurant,
                     [&rawPrinter](const QString& document, const QString& printer, const QString& text) {
                         return rawPrinter.PrintRaw(document, printer, text);
                     })
{
}

QList<Receipt::CategoryRow> ReceiptPrinter::categoryRows(const QString& condition)
{
    Recordset rs = m_db.query(
        QStringLiteral(
            "select  xfmx.xfxm,sum(xfmx.sl) as sl,xfmx.xmdj,sum(xfmx.sl*xfmx.xmdj*xfmx.dzbl) as je,"
            "xm.lbm,lb.id from xfmx,xm,lb where ") +
        condition +
        QStringLiteral(" and xfmx.xfxm=xm.xmm and xm.lbm=lb.lbm group by xfmx.xfxm,xfmx.xmdj,xm.lbm,lb.id "
                       "order by lb.id"));
    QList<Receipt::CategoryRow> rows;
    for (; !rs.isEOF(); rs.moveNext())
        rows.append({rs.getString(QStringLiteral("xfxm")), rs.getString(QStringLiteral("lbm")),
                     rs.getDouble(QStringLiteral("sl")), Sql::money(rs.getDouble(QStringLiteral("xmdj"))),
                     rs.getDouble(QStringLiteral("je"))});
    return rows;
}

Receipt ReceiptPrinter::build(const Job& job, const PrintSettings& settings)
{
    Receipt receipt(job.kind, settings, m_restaurant);
    receipt.setHeader(job.number, job.cashier, Clock::now());
    receipt.setTotals(job.totals);
    receipt.setListedRows(job.rows);
    if (!job.itemCondition.isEmpty() && !settings.plainText())
        receipt.setCategoryRows(categoryRows(job.itemCondition));
    return receipt;
}

bool ReceiptPrinter::print(const Job& job)
{
    const std::optional<PrintSettings> settings = PrintSettings::load(m_db);
    return settings && print(job, *settings);
}

bool ReceiptPrinter::print(const Job& job, const PrintSettings& settings)
{
    if (settings.printer.isEmpty()) {
        m_db.prompt().warn(QStringLiteral("没有选定小票打印机!"), kCaption);
        return false;
    }
    try {
        const Receipt receipt = build(job, settings);
        if (settings.plainText() && job.kind != Receipt::Kind::Table)
            return m_rawPrint && m_rawPrint(job.documentName, settings.printer, receipt.plain());
        return drawOn(settings.printer, receipt.drawn());
    } catch (const DbError&) {
        m_db.prompt().warn(kPrintFailed);
        return false;
    }
}

bool ReceiptPrinter::printSlip(const QStringList& lines, const QString& documentName)
{
    const std::optional<PrintSettings> settings = PrintSettings::load(m_db);
    if (!settings || lines.isEmpty())
        return false;
    if (settings->printer.isEmpty()) {
        m_db.prompt().warn(QStringLiteral("没有选定小票打印机!"), kCaption);
        return false;
    }
    if (settings->plainText())
        return m_rawPrint && m_rawPrint(documentName, settings->printer,
                                        lines.join(QLatin1Char('\n')) + QString(11, QLatin1Char('\n')));
    QList<Receipt::Line> drawn{{lines.first().trimmed(), true}};
    for (const QString& text : lines.mid(1))
        drawn.append({text, false});
    return drawOn(settings->printer, drawn);
}

bool ReceiptPrinter::printTableReceipt(const QString& table, const QString& cashier)
{
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select * from xfmx where czm=") + Sql::quote(table) +
                                    QStringLiteral(" and jzbj='0'")))
        return false;
    if (rs.isEOF()) {
        m_db.prompt().warn(QStringLiteral("无消费记录!"));
        return false;
    }
    double quantity = 0;
    double due = 0;
    for (; !rs.isEOF(); rs.moveNext()) {
        quantity += rs.getDouble(QStringLiteral("sl"));
        due += rs.getDouble(QStringLiteral("ysje"));
    }
    Job job;
    job.kind = Receipt::Kind::Table;
    job.number = table;
    job.cashier = cashier;
    job.itemCondition = QStringLiteral("xfmx.czm=") + Sql::quote(table) + QStringLiteral(" and jzbj='0'");
    job.totals.quantity = Sql::money(quantity);
    job.totals.due = Sql::money(due);
    job.documentName = table;
    return print(job);
}

bool ReceiptPrinter::printReprint(const QString& bill, const QString& documentName)
{
    Recordset row;
    Recordset lines;
    if (!m_db.OpenRecordset(row, QStringLiteral("select * from jzhz where zdh=") + Sql::quote(bill)) ||
        !m_db.OpenRecordset(lines, QStringLiteral("select * from xfmx where jzzdh=") + Sql::quote(bill) +
                                       QStringLiteral(" order by xfbh")))
        return false;
    if (row.isEOF())
        return false;
    Job job;
    job.kind = Receipt::Kind::Reprint;
    job.number = bill;
    job.cashier = row.getString(QStringLiteral("jzr"));
    job.itemCondition = QStringLiteral("xfmx.jzzdh=") + Sql::quote(bill);
    job.documentName = documentName;
    // The rows as the checkout's line list showed them when the receipt was first printed.
    double quantity = 0;
    double due = 0;
    for (; !lines.isEOF(); lines.moveNext()) {
        const double sl = lines.getDouble(QStringLiteral("sl"));
        quantity += sl;
        due += lines.getDouble(QStringLiteral("ysje"));
        job.rows.append({Receipt::shownItem(lines.getString(QStringLiteral("xfxm")), sl,
                                            lines.getDouble(QStringLiteral("dzbl"))),
                         Sql::money(sl), Sql::money(lines.getDouble(QStringLiteral("xmdj"))),
                         Sql::money(lines.getDouble(QStringLiteral("ysje")))});
    }
    job.totals.quantity = Sql::money(quantity);
    job.totals.due = Sql::money(due);
    job.totals.discount = Sql::money(row.getDouble(QStringLiteral("dzje")));
    job.totals.received = Sql::money(row.getDouble(QStringLiteral("ssje")));
    job.totals.method = row.getString(QStringLiteral("jzfs"));
    if (job.totals.method == PaymentParts::kMixed)
        job.totals.parts = PaymentParts::of(m_db, bill);
    return print(job);
}

bool ReceiptPrinter::drawOn(const QString& printerName, const QList<Receipt::Line>& lines)
{
    const QPrinterInfo info = QPrinterInfo::printerInfo(printerName);
    if (info.isNull()) {
        m_db.prompt().warn(QStringLiteral("小票打印机配置错误"));
        return false;
    }
    QPrinter printer(info, QPrinter::HighResolution);
    if (!draw(printer, lines)) {
        m_db.prompt().warn(kPrintFailed);
        return false;
    }
    return true;
}

bool ReceiptPrinter::draw(QPrinter& printer, const QList<Receipt::Line>& lines)
{
    // The page is as long as the lines need (a line of the small font takes about one and a half
    // times its size), plus an inch to spare.
    const QFont title = receiptFont(9);
    const QFont body = receiptFont(7);
    const double lengthPoints = (lines.size() + 1) * body.pointSizeF() * 1.5 + 72;
    const double pageWidthMm = printer.pageLayout().pageSize().size(QPageSize::Millimeter).width();
    const double pageLengthMm = lengthPoints * 25.4 / 72;
    printer.setDocName(QStringLiteral("Orvo餐饮收银系统"));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageSize(QPageSize(QSizeF(pageWidthMm, pageLengthMm), QPageSize::Millimeter));
    printer.setPageMargins(QMarginsF(0, 0, 0, 0));

    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const int left = 10;
    const int bottom = painter.viewport().height() - 10;
    int y = 0;
    for (const Receipt::Line& line : lines) {
        painter.setFont(line.title ? title : body);
        const QFontMetrics metrics(painter.font(), &printer);
        if (y + metrics.height() > bottom && y > 0) {
            printer.newPage();
            y = 0;
        }
        painter.drawText(left, y + metrics.ascent(), line.text);
        y += metrics.height();
    }
    return painter.end();
}
