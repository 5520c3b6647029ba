#include "ReportPageLayout.h"

#include "Gbk.h"
#include "Prompt.h"

namespace ReportPageLayout {

namespace {

// Device units kept free across a cell, and the fixed place of the program's name.
constexpr qreal kCellPadding = 30;
constexpr qreal kBrandTop = 60;
constexpr qreal kBrandRight = 1024;

struct Table
{
    QList<qreal> lefts;
    qreal right = 0;

    qreal cellWidth(qsizetype i) const
    {
        return (i + 1 < lefts.size() ? lefts.at(i + 1) : right) - lefts.at(i);
    }
};

QList<QStringList> wrapRow(const QStringList& cells, const Table& table, const ReportMetrics& m)
{
    QList<QStringList> lines;
    for (qsizetype i = 0; i < table.lefts.size(); ++i)
        lines << wrap(cells.value(i), int((table.cellWidth(i) - kCellPadding) / m.byteWidth));
    return lines;
}

qreal rowHeight(const QList<QStringList>& lines, const ReportMetrics& m)
{
    qsizetype most = 1;
    for (const QStringList& cell : lines)
        most = qMax(most, cell.size());
    return 0.8 * m.byteWidth + most * m.lineHeight;
}

// Puts a row's wrapped cells, each line centred, and the rule under it; returns the row's bottom.
qreal placeRow(const QList<QStringList>& lines, qreal top, const Table& table, const ReportMetrics& m,
               ReportPage& page)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        for (qsizetype k = 0; k < lines.at(i).size(); ++k) {
            const QRectF box(table.lefts.at(i), top + 0.8 * m.byteWidth + k * m.lineHeight,
                             table.cellWidth(i), m.lineHeight);
            page.texts << PageText{box, lines.at(i).at(k), Qt::AlignHCenter | Qt::AlignTop, ReportFont::Body};
        }
    }
    const qreal bottom = top + rowHeight(lines, m);
    page.lines << QLineF(table.lefts.value(0, table.right), bottom, table.right, bottom);
    return bottom;
}

} // namespace

QStringList wrap(const QString& text, int bytes)
{
    bytes = qMax(2, bytes);
    QStringList lines;
    QString rest = text;
    do {
        QString line = Gbk::cut(rest, bytes);
        if (line.isEmpty() &&
            !rest.isEmpty()) // a single character wider than the line still has to go somewhere
            line = rest.left(rest.at(0).isHighSurrogate() ? 2 : 1);
        lines << line;
        rest.remove(0, line.size());
    } while (!rest.isEmpty());
    return lines;
}

QList<qreal> columnWidths(const QList<int>& screenWidths, const ReportMetrics& metrics)
{
    qreal sum = 0;
    for (int w : screenWidths)
        sum += w;
    QList<qreal> widths;
    const qreal available = metrics.pageWidth - 18 * metrics.byteWidth;
    for (int w : screenWidths)
        widths << (sum > 0 ? available * w / sum : 0);
    return widths;
}

QList<ReportPage> layOut(const ReportContent& content, const ReportMetrics& m)
{
    const qreal h = m.lineHeight;
    const qreal c = m.byteWidth;
    const qreal footerLine = m.pageHeight - 4 * h;

    Table table;
    qreal x = 10 * c;
    for (qreal w : columnWidths(content.widths, m)) {
        table.lefts << x;
        x += w;
    }
    table.right = m.pageWidth - 10 * c;
    const QList<QStringList> headerLines = wrapRow(content.headers, table, m);

    QList<ReportPage> pages;
    qsizetype next = 0;
    do {
        ReportPage page;
        page.number = int(pages.size()) + 1;
        page.firstRow = int(next);
        page.texts << PageText{QRectF(QPointF(10 * m.brandByteWidth, kBrandTop),
                                      QPointF(kBrandRight, kBrandTop + m.brandAscent)),
                               Prompt::kProgramTitle, Qt::AlignLeft | Qt::AlignBottom, ReportFont::Brand}
                   << PageText{QRectF(0, 0, m.pageWidth, 8 * h), content.title,
                               Qt::AlignHCenter | Qt::AlignBottom, ReportFont::Title};
        const qreal subtitleTop = 8 * h + h / 2;
        page.texts << PageText{
            QRectF(QPointF(10 * c, subtitleTop), QPointF(m.pageWidth - 8 * c, subtitleTop + h)),
            content.subtitle, Qt::AlignLeft | Qt::AlignTop, ReportFont::Body};

        const qreal headerTop = subtitleTop + h + h / 2;
        qreal y = placeRow(headerLines, headerTop, table, m, page);
        // Rows start while there is room above the footer; a tall wrapped row that would run into
        // the footer waits for the next page, unless it is the page's first.
        while (next < content.rows.size() && (y < m.pageHeight - 6 * h || next == page.firstRow)) {
            const QList<QStringList> lines = wrapRow(content.rows.at(next), table, m);
            if (next != page.firstRow && y + rowHeight(lines, m) > footerLine)
                break;
            y = placeRow(lines, y, table, m, page);
            ++next;
        }
        page.rowCount = int(next) - page.firstRow;

        page.lines << QLineF(table.lefts.value(0, table.right), headerTop, table.right, headerTop);
        for (qreal left : table.lefts)
            page.lines << QLineF(left, headerTop, left, y);
        page.lines << QLineF(table.right, headerTop, table.right, y);

        page.footerY = (!content.footerAfterTable && y < footerLine) ? footerLine : y;
        const QRectF footer(10 * c, page.footerY + h, table.right - 10 * c, h);
        page.texts << PageText{footer, content.printLine, Qt::AlignLeft | Qt::AlignTop, ReportFont::Body}
                   << PageText{footer, QStringLiteral("第 %1 页").arg(page.number),
                               Qt::AlignRight | Qt::AlignTop, ReportFont::Body};
        pages << page;
    } while (next < content.rows.size());
    return pages;
}

} // namespace ReportPageLayout
