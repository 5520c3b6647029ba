#include "CPrintListReportCtrl.h"
#include "DefaultPrinter.h"
#include "Gbk.h"
#include "ReportPageLayout.h"
#include "ScriptedPrompt.h"
#include "TestMain.h"

#include <QAction>
#include <QApplication>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// A page of round numbers: h 100, c 40; rows of one line are 0.8c + h = 132 high.
ReportMetrics testMetrics()
{
    ReportMetrics m;
    m.pageWidth = 4800;
    m.pageHeight = 6000;
    m.lineHeight = 100;
    m.byteWidth = 40;
    m.brandByteWidth = 35;
    m.brandAscent = 60;
    return m;
}

ReportContent numberedRows(int count)
{
    ReportContent content;
    content.title = QStringLiteral("营业日报");
    content.subtitle = QStringLiteral("起止日期:2026-12-01－2026-12-06");
    content.printLine = QStringLiteral("打印时间:2026年12月6日 9时0分0秒              操作员:张三");
    content.headers = QStringList{"序号", "项目名", "金额"};
    content.widths = QList<int>{50, 100, 50};
    for (int i = 1; i <= count; ++i)
        content.rows << QStringList{QString::number(i), QStringLiteral("项目%1").arg(i), "18.00"};
    return content;
}

QStringList textsIn(const ReportPage& page, const QRectF& area)
{
    QStringList texts;
    for (const PageText& t : page.texts) {
        if (area.contains(t.box.center()))
            texts << t.text;
    }
    return texts;
}

// Words of a PDF with their page and top edge, from `pdftotext -bbox`.
struct PdfWord
{
    int page;
    double top;
    QString text;
};

QList<PdfWord> pdfWords(const QString& pdf)
{
    QProcess p;
    p.start("pdftotext", {"-bbox", pdf, "-"});
    p.waitForFinished();
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    QList<PdfWord> words;
    int page = 0;
    static const QRegularExpression tag(
        R"re(<page |<word xMin="[\d.]+" yMin="([\d.]+)"[^>]*>([^<]*)</word>)re");
    for (auto m = tag.globalMatch(html); m.hasNext();) {
        const auto match = m.next();
        if (match.captured(0) == "<page ")
            ++page;
        else
            words << PdfWord{page, match.captured(1).toDouble(), match.captured(2)};
    }
    return words;
}

} // namespace

class TestReportPrintout : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void wrap_data();
    void wrap();
    void columnWidthsFillThePage();
    void paging_data();
    void paging();
    void longCellWrapsCentred();
    void tallRowWaitsForTheNextPage();
    void gridAroundTheTable();
    void printsPdfPages_data();
    void printsPdfPages();
    void reportsAPrinterThatCannotStart();
    void previewShowsPagesAndPrintsThem();
    void printDialogUsesTheLandscapeFlag_data();
    void printDialogUsesTheLandscapeFlag();

private:
    QTemporaryDir m_dir;
};

void TestReportPrintout::initTestCase()
{
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
}

void TestReportPrintout::wrap_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("fits") << "宫保鸡丁" << 8 << QStringList{"宫保鸡丁"};
    QTest::newRow("two bytes a character") << "宫保鸡丁" << 4 << QStringList{"宫保", "鸡丁"};
    QTest::newRow("odd width never splits") << "ab宫保" << 3 << QStringList{"ab", "宫", "保"};
    QTest::newRow("at least two bytes") << "abcde" << 0 << QStringList{"ab", "cd", "e"};
    QTest::newRow("empty cell is one line") << "" << 10 << QStringList{""};
    QTest::newRow("null cell is one line") << QString() << 10 << QStringList{""};
    // 丂 is GBK 81 40: its second byte lacks the high bit, and must still stay whole.
    QTest::newRow("low trail byte") << "a丂丂" << 4 << QStringList{"a丂", "丂"};
}

void TestReportPrintout::wrap()
{
    QFETCH(QString, text);
    QFETCH(int, bytes);
    QFETCH(QStringList, lines);
    QCOMPARE(ReportPageLayout::wrap(text, bytes), lines);
}

void TestReportPrintout::columnWidthsFillThePage()
{
    // 4800 less 18 byte widths = 4080, shared 1:2:1.
    QCOMPARE(ReportPageLayout::columnWidths({50, 100, 50}, testMetrics()), (QList<qreal>{1020, 2040, 1020}));
    QCOMPARE(ReportPageLayout::columnWidths({0, 0}, testMetrics()), (QList<qreal>{0, 0}));
}

void TestReportPrintout::paging_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("footerAfterTable");
    QTest::addColumn<QList<int>>("firstRows");
    QTest::addColumn<QList<qreal>>("footerYs");
    // The header row starts at 10h = 1000 and ends at 1132; a row may start above 6000 - 6h.
    QTest::newRow("one page, footer at the bottom") << 5 << false << QList<int>{0} << QList<qreal>{5600};
    QTest::newRow("one page, footer after the table")
        << 5 << true << QList<int>{0} << QList<qreal>{1132 + 5 * 132};
    QTest::newRow("three pages, footer at the bottom")
        << 70 << false << QList<int>{0, 33, 66} << QList<qreal>{5600, 5600, 5600};
    QTest::newRow("three pages, footer after the table")
        << 70 << true << QList<int>{0, 33, 66}
        << QList<qreal>{1132 + 33 * 132, 1132 + 33 * 132, 1132 + 4 * 132};
    QTest::newRow("exactly full") << 33 << false << QList<int>{0} << QList<qreal>{5600};
    QTest::newRow("empty list still prints a page") << 0 << false << QList<int>{0} << QList<qreal>{5600};
}

void TestReportPrintout::paging()
{
    QFETCH(int, rows);
    QFETCH(bool, footerAfterTable);
    QFETCH(QList<int>, firstRows);
    QFETCH(QList<qreal>, footerYs);
    ReportContent content = numberedRows(rows);
    content.footerAfterTable = footerAfterTable;
    const QList<ReportPage> pages = ReportPageLayout::layOut(content, testMetrics());
    QList<int> starts;
    QList<qreal> footers;
    for (const ReportPage& page : pages) {
        starts << page.firstRow;
        footers << page.footerY;
        // One line below the footer line: the print line on the left, the page number on the right.
        const QStringList footer = textsIn(page, QRectF(0, page.footerY + 100, 4800, 100));
        QCOMPARE(footer, (QStringList{content.printLine, QStringLiteral("第 %1 页").arg(page.number)}));
        QCOMPARE(textsIn(page, QRectF(0, 850, 4800, 100)), QStringList{content.subtitle});
        QVERIFY(textsIn(page, QRectF(0, 0, 4800, 800)).contains(content.title));
        QVERIFY(textsIn(page, QRectF(0, 1000, 4800, 132)).contains(QStringLiteral("项目名")));
    }
    QCOMPARE(starts, firstRows);
    QCOMPARE(footers, footerYs);
    int printed = 0;
    for (const ReportPage& page : pages)
        printed += page.rowCount;
    QCOMPARE(printed, rows);
}

void TestReportPrintout::longCellWrapsCentred()
{
    ReportContent content = numberedRows(2);
    // The name column is 2040 wide: (2040 - 30) / 40 = 50 bytes, 25 characters a line.
    content.rows[0][1] = QString(60, QChar(0x83DC)); // 菜 x 60: lines of 25, 25, 10
    const ReportPage page = ReportPageLayout::layOut(content, testMetrics()).first();
    QList<PageText> lines;
    for (const PageText& t : page.texts) {
        if (t.text.startsWith(QChar(0x83DC)))
            lines << t;
    }
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines.at(0).text.size(), 25);
    QCOMPARE(lines.at(2).text.size(), 10);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(lines.at(i).alignment, int(Qt::AlignHCenter | Qt::AlignTop));
        QCOMPARE(lines.at(i).box.left(), 400 + 1020.0);
        QCOMPARE(lines.at(i).box.width(), 2040.0);
        QCOMPARE(lines.at(i).box.top(), 1132 + 32 + i * 100.0);
    }
    // The next row starts under the tallest cell.
    const QStringList second = textsIn(page, QRectF(0, 1132 + 332, 4800, 132));
    QCOMPARE(second, (QStringList{"2", QStringLiteral("项目2"), "18.00"}));
}

void TestReportPrintout::tallRowWaitsForTheNextPage()
{
    ReportContent content = numberedRows(40);
    content.rows[31][1] = QString(100, QChar(0x83DC)); // row 32 would need 4 lines where 2 are left
    const QList<ReportPage> pages = ReportPageLayout::layOut(content, testMetrics());
    QCOMPARE(pages.size(), 2);
    QCOMPARE(pages.at(1).firstRow, 31);
    QVERIFY(pages.at(0).footerY >= 1132 + 31 * 132);
}

void TestReportPrintout::gridAroundTheTable()
{
    const ReportPage page = ReportPageLayout::layOut(numberedRows(3), testMetrics()).first();
    QList<qreal> verticals;
    int horizontals = 0;
    for (const QLineF& line : page.lines) {
        if (line.x1() == line.x2()) {
            verticals << line.x1();
            QCOMPARE(line.y1(), 1000.0);
            QCOMPARE(line.y2(), 1132.0 + 3 * 132);
        } else {
            QCOMPARE(line.x1(), 400.0);
            QCOMPARE(line.x2(), 4400.0);
            ++horizontals;
        }
    }
    QCOMPARE(verticals, (QList<qreal>{400, 1420, 3460, 4400}));
    QCOMPARE(horizontals, 1 + 1 + 3); // top of the header, under the header, under each row
}

void TestReportPrintout::printsPdfPages_data()
{
    QTest::addColumn<bool>("footerAfterTable");
    QTest::newRow("footer at the bottom") << false;
    QTest::newRow("footer after the table") << true;
}

void TestReportPrintout::printsPdfPages()
{
    QFETCH(bool, footerAfterTable);
    ScriptedPrompt prompt;
    DefaultPrinter printer;
    CPrintListReportCtrl list(prompt, printer);
    list.SetColumnSpec("序号,50;项目名,120;金额,60;");
    for (int i = 1; i <= 100; ++i)
        list.AddRow({QString::number(i), QStringLiteral("宫保鸡丁%1").arg(i), "18.00"});
    list.SetReportTitle("消费明细报表");
    list.SetReportSubtitle("账单号:202612060001");
    list.SetPrintLine("操作员:张三");
    list.footerAfterTable = footerAfterTable;

    const QString pdf = m_dir.filePath(QStringLiteral("report%1.pdf").arg(footerAfterTable));
    printer.printer().setOutputFormat(QPrinter::PdfFormat);
    printer.printer().setOutputFileName(pdf);
    list.Print(printer.printer());
    QCOMPARE(prompt.texts(), QStringList());

    const QList<PdfWord> words = pdfWords(pdf);
    QMap<int, double> pageNumberTop; // page -> top of its "第 n 页"
    QMap<int, QStringList> dishes;
    QStringList titles;
    for (const PdfWord& w : words) {
        if (w.text == QStringLiteral("第")) // of "第 n 页"
            pageNumberTop[w.page] = w.top;
        if (w.text.startsWith(QStringLiteral("宫保鸡丁")))
            dishes[w.page] << w.text;
        if (w.text == QStringLiteral("消费明细报表") || w.text == QStringLiteral("Orvo餐饮收银系统"))
            titles << w.text;
    }
    const int pages = int(pageNumberTop.size());
    QVERIFY2(pages >= 2, qPrintable(QString::number(pages)));
    QCOMPARE(titles.size(), 2 * pages);
    // Every row printed once, in order, a page carrying on where the last one stopped.
    QStringList all;
    for (const QStringList& onPage : dishes)
        all << onPage;
    QCOMPARE(all.size(), 100);
    QCOMPARE(all.first(), QStringLiteral("宫保鸡丁1"));
    QCOMPARE(all.last(), QStringLiteral("宫保鸡丁100"));
    QCOMPARE(pageNumberTop.firstKey(), 1);
    const double firstTop = pageNumberTop.first();
    const double lastTop = pageNumberTop.last();
    if (footerAfterTable)
        QVERIFY2(lastTop < firstTop - 100, qPrintable(QStringLiteral("%1 %2").arg(firstTop).arg(lastTop)));
    else
        QCOMPARE(lastTop, firstTop);
}

void TestReportPrintout::reportsAPrinterThatCannotStart()
{
    ScriptedPrompt prompt;
    DefaultPrinter printer;
    CPrintListReportCtrl list(prompt, printer);
    list.SetColumnSpec("序号,50;");
    list.AddRow({"1"});
    printer.printer().setOutputFormat(QPrinter::PdfFormat);
    printer.printer().setOutputFileName(m_dir.filePath("no such folder/report.pdf"));
    list.Print(printer.printer());
    QCOMPARE(prompt.texts(), QStringList{QStringLiteral("打印报表时发生异常，请重新操作打印！")});
    QCOMPARE(prompt.shown().first().caption, QStringLiteral("打印报表"));
    QCOMPARE(prompt.shown().first().icon, Prompt::Icon::Critical);
}

void TestReportPrintout::previewShowsPagesAndPrintsThem()
{
    ScriptedPrompt prompt;
    DefaultPrinter printer;
    CPrintListReportCtrl list(prompt, printer);
    list.SetColumnSpec("序号,50;项目名,120;");
    for (int i = 1; i <= 100; ++i)
        list.AddRow({QString::number(i), QStringLiteral("宫保鸡丁%1").arg(i)});
    list.SetReportTitle("消费明细报表");
    const QString pdf = m_dir.filePath("preview.pdf");
    printer.printer().setOutputFormat(QPrinter::PdfFormat);
    printer.printer().setOutputFileName(pdf);
    printer.SetPrintOrientation(false);

    QString title;
    int pages = 0;
    bool flagWhileOpen = false;
    bool printDialogShown = false;
    QTimer::singleShot(0, this, [&] {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        QVERIFY(preview);
        title = preview->windowTitle();
        flagWhileOpen = list.isPreviewOpen();
        auto* widget = preview->findChild<QPrintPreviewWidget*>();
        widget->updatePreview();
        pages = widget->pageCount();
        QAction* print = nullptr;
        for (QAction* a : preview->findChildren<QAction*>()) {
            if (a->text() == QCoreApplication::translate("QPrintPreviewDialog", "Print"))
                print = a;
        }
        QVERIFY(print);
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            printDialogShown = dialog != nullptr;
            if (dialog) {
                dialog->accept();
                // As if a printer had been chosen: the pages go to the PDF file.
                printer.printer().setOutputFormat(QPrinter::PdfFormat);
                printer.printer().setOutputFileName(pdf);
            }
        });
        print->trigger();
    });
    list.PrintPreview();

    QCOMPARE(title, QStringLiteral("消费明细报表  ----  打印预览"));
    QVERIFY(flagWhileOpen);
    QVERIFY(!list.isPreviewOpen());
    QVERIFY(printDialogShown);
    QVERIFY(pages >= 2);
    QCOMPARE(prompt.texts(), QStringList());
    // The paper has the pages the preview showed, in the orientation it showed.
    QProcess info;
    info.start("pdfinfo", {pdf});
    info.waitForFinished();
    const QString out = QString::fromUtf8(info.readAllStandardOutput());
    QVERIFY2(out.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages))), qPrintable(out));
    QVERIFY2(out.contains("842 x 595 pts"), qPrintable(out)); // A4 landscape
}

void TestReportPrintout::printDialogUsesTheLandscapeFlag_data()
{
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<bool>("defaultPortrait");
    QTest::addColumn<QString>("pageSize");
    QTest::newRow("flag set, default portrait") << true << true << "842 x 595 pts";
    QTest::newRow("flag clear, default landscape") << false << false << "595 x 842 pts";
}

void TestReportPrintout::printDialogUsesTheLandscapeFlag()
{
    QFETCH(bool, landscape);
    QFETCH(bool, defaultPortrait);
    QFETCH(QString, pageSize);
    ScriptedPrompt prompt;
    DefaultPrinter printer;
    CPrintListReportCtrl list(prompt, printer);
    list.SetColumnSpec("序号,50;项目名,120;");
    list.AddRow({"1", "宫保鸡丁"});
    list.landscape = landscape;
    printer.SetPrintOrientation(defaultPortrait);
    const QString pdf = m_dir.filePath(QStringLiteral("dialog%1.pdf").arg(landscape));
    QTimer::singleShot(0, this, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->accept();
        printer.printer().setOutputFormat(QPrinter::PdfFormat); // as if a printer had been chosen
        printer.printer().setOutputFileName(pdf);
    });
    list.PrintWithDialog();
    QCOMPARE(prompt.texts(), QStringList());
    QProcess info;
    info.start("pdfinfo", {pdf});
    info.waitForFinished();
    const QString out = QString::fromUtf8(info.readAllStandardOutput());
    QVERIFY2(out.contains(pageSize), qPrintable(out));
}

PELVAR_TEST(TestReportPrintout)
#include "tst_ReportPrintout.moc"
