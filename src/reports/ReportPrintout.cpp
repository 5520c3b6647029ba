#include "ReportPrintout.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

namespace ReportPrintout {

QFont font(ReportFont kind)
{
    QFont f;
    switch (kind) {
    case ReportFont::Brand:
    case ReportFont::Body:
        f.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("Noto Serif CJK SC"),
                       QStringLiteral("Noto Sans CJK SC")});
        f.setPointSize(kind == ReportFont::Brand ? 8 : 9);
        break;
    case ReportFont::Title:
        f.setFamilies({QStringLiteral("黑体"), QStringLiteral("SimHei"), QStringLiteral("Noto Sans CJK SC")});
        f.setPointSize(18);
        f.setBold(true);
        break;
    }
    return f;
}

ReportMetrics metrics(QPrinter& printer)
{
    // A byte's width is half a Chinese character's, as with the fixed-pitch Song face the
    // widths in bytes were made for.
    const QFontMetricsF body(font(ReportFont::Body), &printer);
    const QFontMetricsF brand(font(ReportFont::Brand), &printer);
    const QChar han(0x6C49);
    ReportMetrics m;
    m.pageWidth = printer.width();
    m.pageHeight = printer.height();
    m.lineHeight = body.height();
    m.byteWidth = body.horizontalAdvance(han) / 2;
    m.brandByteWidth = brand.horizontalAdvance(han) / 2;
    m.brandAscent = brand.ascent();
    return m;
}

Result print(const ReportContent& content, QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return Result::NotStarted;
    const QList<ReportPage> pages = ReportPageLayout::layOut(content, metrics(printer));
    painter.setPen(QPen(Qt::black, 2));
    painter.setBackgroundMode(Qt::TransparentMode);
    for (const ReportPage& page : pages) {
        if (page.number > 1 && !printer.newPage()) {
            printer.abort();
            return Result::PageFailed;
        }
        for (const PageText& text : page.texts) {
            painter.setFont(font(text.font));
            painter.drawText(text.box, text.alignment, text.text);
        }
        painter.drawLines(page.lines);
    }
    painter.end();
    return Result::Printed;
}

} // namespace ReportPrintout
