#pragma once

#include "ReportContent.h"

#include <QLineF>
#include <QList>
#include <QRectF>

// The sizes a page layout depends on, in the printer's device units.
struct ReportMetrics
{
    qreal pageWidth = 0; // printable area
    qreal pageHeight = 0;
    qreal lineHeight = 0;     // h: height of the body font
    qreal byteWidth = 0;      // c: width of one GBK byte (half a Chinese character) in the body font
    qreal brandByteWidth = 0; // the same for the small font of the program's name
    qreal brandAscent = 0;
};

enum class ReportFont
{
    Brand,
    Title,
    Body
};

struct PageText
{
    QRectF box;
    QString text;
    int alignment; // Qt::Alignment flags
    ReportFont font;
};

struct ReportPage
{
    int number = 1;
    int firstRow = 0; // index of the first data row on the page
    int rowCount = 0;
    qreal footerY = 0; // the line the footer stands one line below
    QList<PageText> texts;
    QList<QLineF> lines;
};

// Where everything of a list report goes on which page. Drawing is left to ReportPrintout, so
// the layout can be checked without a printer.
namespace ReportPageLayout {

QList<ReportPage> layOut(const ReportContent& content, const ReportMetrics& metrics);

// A cell's text broken into lines of at most `bytes` GBK bytes (at least 2), never inside a character.
QStringList wrap(const QString& text, int bytes);

// The printed column widths: the screen widths scaled to fill the page less 18 byte widths.
QList<qreal> columnWidths(const QList<int>& screenWidths, const ReportMetrics& metrics);

} // namespace ReportPageLayout
