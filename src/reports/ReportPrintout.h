#pragma once

#include "ReportPageLayout.h"

#include <QFont>

class QPrinter;

// Draws the pages of a list report on a printer (or a preview's printer): the fonts, their sizes
// on the device, and the painting of what ReportPageLayout placed.
namespace ReportPrintout {

enum class Result
{
    Printed,
    NotStarted,
    PageFailed
};

// "宋体"/"黑体" where installed, the Noto CJK faces otherwise.
QFont font(ReportFont kind);

ReportMetrics metrics(QPrinter& printer);

Result print(const ReportContent& content, QPrinter& printer);

} // namespace ReportPrintout
