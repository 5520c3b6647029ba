#include "CExcelWriter.h"

#include "Field.h"
#include "Gbk.h"

#include <algorithm>
#include <clocale>
#include <locale.h>
#include <QFile>
#include <QRegularExpression>
#include <xlsxwriter.h>

namespace {

// libxlsxwriter writes widths, heights and font sizes with printf, which follows the locale: under
// one that writes "27,5" the sheet's XML would be broken. It writes under the C numeric locale.
class CNumericLocale final
{
public:
    CNumericLocale() : m_c(newlocale(LC_NUMERIC_MASK, "C", duplocale(LC_GLOBAL_LOCALE)))
    {
        m_previous = uselocale(m_c);
    }
    ~CNumericLocale()
    {
        uselocale(m_previous);
        freelocale(m_c);
    }
    CNumericLocale(const CNumericLocale&) = delete;
    CNumericLocale& operator=(const CNumericLocale&) = delete;

private:
    locale_t m_c;
    locale_t m_previous;
};

constexpr double kRowHeight = 20;

lxw_format* cellFormat(lxw_workbook* book, double points, bool bold, bool borders,
                       const char* numberFormat = nullptr)
{
    lxw_format* f = workbook_add_format(book);
    if (numberFormat)
        format_set_num_format(f, numberFormat);
    format_set_font_name(f, "Microsoft Sans Serif");
    format_set_font_size(f, points);
    if (bold)
        format_set_bold(f);
    format_set_align(f, LXW_ALIGN_CENTER);
    format_set_align(f, LXW_ALIGN_VERTICAL_CENTER);
    if (borders)
        format_set_border(f, LXW_BORDER_THIN);
    return f;
}

// How a cell's text reads as a number: "28.00" and "12.50%" as the lists write money, quantities,
// ratios and shares; "57" or "3.5" as totals sometimes are; anything else not at all.
enum class Numeral
{
    None,
    Plain,
    TwoDecimals,
    Percent
};

Numeral numeral(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^-?\\d+(\\.(\\d+))?(%?)$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return Numeral::None;
    const bool twoDecimals = m.capturedLength(2) == 2;
    if (m.capturedLength(3) > 0)
        return twoDecimals ? Numeral::Percent : Numeral::None;
    return twoDecimals ? Numeral::TwoDecimals : Numeral::Plain;
}

bool isTotalRow(const QStringList& row)
{
    return std::any_of(row.begin(), row.end(), [](const QString& cell) { return cell.trimmed() == u"合计"; });
}

// A column holds numbers when its cells, the "合计" rows aside, are all empty or two-decimal
// numerals. Bill numbers, phone numbers and codes with leading zeros have no decimals, so they stay
// text. A quantity column (its header names a 数量) is summed by the reports without trailing
// zeros ("3", "1.5"): any numerals make it numbers.
QList<bool> numericColumns(const ReportContent& content)
{
    QList<bool> numeric(content.headers.size(), true);
    for (const QStringList& row : content.rows) {
        if (isTotalRow(row))
            continue;
        for (qsizetype c = 0; c < numeric.size(); ++c) {
            const Numeral kind = numeral(row.value(c));
            const bool quantity = content.headers.at(c).contains(QStringLiteral("数量"));
            if (!row.value(c).isEmpty() && kind != Numeral::TwoDecimals && kind != Numeral::Percent &&
                !(quantity && kind == Numeral::Plain))
                numeric[c] = false;
        }
    }
    return numeric;
}

} // namespace

CExcelWriter::CExcelWriter(const ReportContent& content) : m_content(content) {}

double CExcelWriter::fittedWidth(const QString& header, const QList<QStringList>& rows, int column)
{
    // A GBK byte is about one character unit; the bold header is a size larger.
    double widest = Gbk::width(header) * 1.1;
    for (const QStringList& row : rows)
        widest = qMax(widest, double(Gbk::width(row.value(column))));
    return widest + 2;
}

bool CExcelWriter::save(const QString& path) const
{
    // Write beside the target first, so a failed export leaves any old file as it was.
    const QString part = path + QStringLiteral(".part");
    const CNumericLocale cNumbers;
    lxw_workbook* book = workbook_new(QFile::encodeName(part).constData());
    if (!book)
        return false;
    lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
    lxw_format* titleFormat = cellFormat(book, 12, true, false);
    lxw_format* plainFormat = cellFormat(book, 9, false, false);
    lxw_format* headerFormat = cellFormat(book, 10, true, true);
    lxw_format* dataFormat = cellFormat(book, 9, false, true);
    lxw_format* twoDecimalsFormat = cellFormat(book, 9, false, true, "0.00");
    lxw_format* percentFormat = cellFormat(book, 9, false, true, "0.00%");

    const lxw_col_t lastColumn = m_content.headers.isEmpty() ? 0 : lxw_col_t(m_content.headers.size() - 1);
    auto writeAcross = [&](lxw_row_t row, const QString& text, lxw_format* format) {
        const QByteArray utf8 = text.toUtf8();
        if (lastColumn > 0)
            worksheet_merge_range(sheet, row, 0, row, lastColumn, utf8.constData(), format);
        else
            worksheet_write_string(sheet, row, 0, utf8.constData(), format);
    };

    writeAcross(0, m_content.title, titleFormat);
    writeAcross(1, m_content.subtitle, plainFormat);
    for (qsizetype c = 0; c < m_content.headers.size(); ++c) {
        worksheet_write_string(sheet, 2, lxw_col_t(c), m_content.headers.at(c).toUtf8().constData(),
                               headerFormat);
        worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c),
                             fittedWidth(m_content.headers.at(c), m_content.rows, int(c)), nullptr);
    }
    const QList<bool> numeric = numericColumns(m_content);
    for (qsizetype r = 0; r < m_content.rows.size(); ++r) {
        const QStringList& cells = m_content.rows.at(r);
        for (qsizetype c = 0; c < m_content.headers.size(); ++c) {
            const QString& text = cells.value(c);
            const Numeral kind = numeric.at(c) ? numeral(text) : Numeral::None;
            const lxw_row_t row = lxw_row_t(r + 3);
            if (kind == Numeral::None)
                worksheet_write_string(sheet, row, lxw_col_t(c), text.toUtf8().constData(), dataFormat);
            else if (kind == Numeral::Percent)
                worksheet_write_number(sheet, row, lxw_col_t(c), Field::toDouble(text) / 100, percentFormat);
            else
                worksheet_write_number(sheet, row, lxw_col_t(c), Field::toDouble(text),
                                       kind == Numeral::TwoDecimals ? twoDecimalsFormat : dataFormat);
        }
    }
    const lxw_row_t printLineRow = lxw_row_t(m_content.rows.size() + 3);
    writeAcross(printLineRow, m_content.printLine, plainFormat);
    for (lxw_row_t r = 0; r <= printLineRow; ++r)
        worksheet_set_row(sheet, r, kRowHeight, nullptr);

    if (workbook_close(book) != LXW_NO_ERROR) {
        QFile::remove(part);
        return false;
    }
    QFile::remove(path);
    return QFile::rename(part, path);
}
