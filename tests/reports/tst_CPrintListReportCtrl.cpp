#include "CExcelWriter.h"
#include "CPrintListReportCtrl.h"
#include "DefaultPrinter.h"
#include "ReportPageLayout.h"
#include "ScriptedPrompt.h"
#include "TestMain.h"

#include <optional>
#include <QDesktopServices>
#include <QDialog>
#include <QHeaderView>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QVBoxLayout>
#include <QXmlStreamReader>

namespace {

// A page of round numbers: h 100, c 40; a row of one line is 0.8c + h = 132 high; the header row
// starts at 10h = 1000; the columns 50:100:50 share 4800 less 18c as 1020, 2040, 1020 from x 400.
const ReportMetrics kMetrics{4800, 6000, 100, 40, 35, 60};

ReportContent numbered(int rows, bool footerAfterTable = false)
{
    const QStringList headers{"序号", "项目名", "金额"};
    ReportContent content{"消费明细报表",  "起止日期:2026-12-01", "操作员:张三", headers, {50, 100, 50}, {},
                          footerAfterTable};
    for (int i = 1; i <= rows; ++i)
        content.rows << QStringList{QString::number(i), QStringLiteral("宫保鸡丁%1").arg(i), "18.00"};
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

QByteArray run(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.start(program, arguments);
    p.waitForFinished();
    return p.readAllStandardOutput();
}

// A workbook's cells read back: texts as they are, numbers as "=value [number format]", merged
// ranges ("A1:C1") as "(merged)".
QMap<QString, QString> readSheet(const QString& path)
{
    QStringList strings, formats;
    QMap<int, QString> codes{{2, "0.00"}, {10, "0.00%"}};
    QMap<QString, QString> cells;
    QString cell, type, format;
    for (const char* part : {"xl/sharedStrings.xml", "xl/styles.xml", "xl/worksheets/sheet1.xml"}) {
        for (QXmlStreamReader x(run("unzip", {"-p", path, part})); !x.atEnd();) {
            if (x.readNext() != QXmlStreamReader::StartElement)
                continue;
            const auto a = x.attributes();
            if (x.name() == u"t")
                strings << x.readElementText();
            else if (x.name() == u"numFmt")
                codes[a.value("numFmtId").toInt()] = a.value("formatCode").toString();
            else if (x.name() == u"xf" && a.hasAttribute("xfId")) // cellXfs
                formats << codes.value(a.value("numFmtId").toInt());
            else if (x.name() == u"mergeCell")
                cells[a.value("ref").toString()] = "(merged)";
            else if (x.name() == u"c") {
                cell = a.value("r").toString();
                type = a.value("t").toString();
                format = formats.value(a.value("s").toInt());
            } else if (x.name() == u"v") {
                const QString v = x.readElementText();
                cells[cell] = type == u"s" ? strings.value(v.toInt())
                                           : "=" + v + (format.isEmpty() ? "" : " [" + format + "]");
            }
        }
    }
    return cells;
}

class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

} // namespace

class TestCPrintListReportCtrl : public QObject
{
    Q_OBJECT
    struct List
    {
        ScriptedPrompt prompt;
        DefaultPrinter printer;
        CPrintListReportCtrl ctrl{prompt, printer};
    };
    std::optional<List> m;
    QTemporaryDir m_dir;

    void fill(int rows)
    {
        m->ctrl.SetColumnSpec("序号,50;项目名,120;金额,60");
        for (const QStringList& row : numbered(rows).rows)
            m->ctrl.AddRow(row);
        m->ctrl.SetReportTitle("消费明细报表");
    }

private slots:
    void init() { m.emplace(); }

    // Widths are given for a 12-pixel Song face; in any font the texts they were made for fit.
    void widthsFitTheFont()
    {
        const QStringList texts{"系统管理员", "2026-12-06 12:30:45", "13812345678", "XHSCJD"};
        const QList<int> specified{70, 140, 80, 50};
        m->ctrl.SetColumnSpec("记账人,70;消费时间,140;电话,80;简拼,50;");
        const int margins = 2 * (m->ctrl.style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
        for (int pixels : {12, 14, 20}) {
            QFont font = m->ctrl.font();
            font.setPixelSize(pixels); // after the columns, as the screens do
            m->ctrl.setFont(font);
            for (int c = 0; c < 4; ++c) {
                const int needed = m->ctrl.fontMetrics().horizontalAdvance(texts.at(c)) + margins;
                QVERIFY2(m->ctrl.columnWidth(c) >= qMax(needed, specified.at(c)), qPrintable(texts.at(c)));
            }
        }
    }

    // A header click sorts by the column's kind, taken from its first text: numbers by value
    // (decimal points whatever the locale), dd/mm/yyyy dates by year first, Chinese by pinyin;
    // a second click reverses. Equal texts keep their order; each row keeps its colour.
    // A list in a dialog shows its usual contents whole: a column grows to its longest text, the
    // dialog widens within the screen until every column shows, and where the screen is too narrow
    // the columns wider than their contents give up the difference.
    void columnsFitTheirContents_data()
    {
        QTest::addColumn<QString>("columns");
        QTest::addColumn<QStringList>("row");
        QTest::newRow("a long note") << "账单号,100;结账时间,150;备注,50"
                                     << QStringList{"202612070001", "2026-12-07 04:04:57",
                                                    "王经理 欠款人电话13800001111"};
        QTest::newRow("wider than the screen") << "项目名,400;退单原因,400;备注,300"
                                               << QStringList{"果盘", "上错菜", "生日宴"};
    }

    void columnsFitTheirContents()
    {
        QFETCH(QString, columns);
        QFETCH(QStringList, row);
        QDialog dialog;
        auto* list = new CPrintListReportCtrl(m->prompt, m->printer, &dialog);
        (new QVBoxLayout(&dialog))->addWidget(list);
        list->SetColumnSpec(columns);
        dialog.resize(300, 200);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        list->AddRow(row);
        for (int c = 0; c < row.size(); ++c)
            QTRY_VERIFY2(list->columnWidth(c) >= list->fontMetrics().horizontalAdvance(row.at(c)),
                         qPrintable(row.at(c)));
        QTRY_COMPARE(list->horizontalScrollBar()->maximum(), 0);
        QVERIFY(dialog.frameGeometry().right() <= dialog.screen()->availableGeometry().right());
    }

    void sortsByTheColumnsKind_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<QStringList>("sorted");
        QTest::newRow("amounts") << QStringList{"10.00", "9.50", "-2.00", "100"} << 1
                                 << QStringList{"-2.00", "9.50", "10.00", "100"};
        QTest::newRow("amounts, descending") << QStringList{"10.00", "9.50", "-2.00", "100"} << 2
                                             << QStringList{"100", "10.00", "9.50", "-2.00"};
        QTest::newRow("dates") << QStringList{"01/02/2026", "31/12/2025", "02/01/2026"} << 1
                               << QStringList{"31/12/2025", "02/01/2026", "01/02/2026"};
        QTest::newRow("Chinese by pinyin") << QStringList{"张三", "李四", "安静", "宫保鸡丁"} << 1
                                           << QStringList{"安静", "宫保鸡丁", "李四", "张三"};
        QStringList mixed;
        for (int i = 0; i < 40; ++i)
            mixed << QString::number(2 - i % 2);
        QTest::newRow("equal texts stay in order")
            << mixed << 1 << QStringList(20, "1") + QStringList(20, "2");
    }

    void sortsByTheColumnsKind()
    {
        QFETCH(QStringList, texts);
        QFETCH(int, clicks);
        QFETCH(QStringList, sorted);
        m->ctrl.SetColumnSpec("序号,50;值,100");
        for (int i = 0; i < texts.size(); ++i)
            m->ctrl.SetRowColor(m->ctrl.AddRow({QString::number(i), texts.at(i)}), QColor(i, 0, 0));
        for (int i = 0; i < clicks; ++i)
            emit m->ctrl.horizontalHeader()->sectionClicked(1);
        for (int row = 0; row < sorted.size(); ++row) {
            QCOMPARE(m->ctrl.cellText(row, 1), sorted.at(row));
            const int was = m->ctrl.cellText(row, 0).toInt();
            QCOMPARE(m->ctrl.cellText(row, 1), texts.at(was));
            QCOMPARE(m->ctrl.model()->index(row, 1).data(Qt::ForegroundRole).value<QColor>(),
                     QColor(was, 0, 0));
        }
        for (int row = 1; row < sorted.size(); ++row) {
            if (sorted.at(row) == sorted.at(row - 1))
                QVERIFY(m->ctrl.cellText(row - 1, 0).toInt() < m->ctrl.cellText(row, 0).toInt());
        }
    }

    void paging_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("footerAfterTable");
        QTest::addColumn<QList<int>>("firstRows");
        QTest::addColumn<QList<qreal>>("footerYs");
        // Rows start while above 6000 - 6h; the footer line is at 6000 - 4h, or under the last row.
        QTest::newRow("one page, footer after the table")
            << 5 << true << QList<int>{0} << QList<qreal>{1132 + 5 * 132};
        QTest::newRow("three pages") << 70 << false << QList<int>{0, 33, 66}
                                     << QList<qreal>{5600, 5600, 5600};
        QTest::newRow("three pages, footer after the table")
            << 70 << true << QList<int>{0, 33, 66}
            << QList<qreal>{1132 + 33 * 132, 1132 + 33 * 132, 1132 + 4 * 132};
        QTest::newRow("exactly full") << 33 << false << QList<int>{0} << QList<qreal>{5600};
    }
    void paging()
    {
        QFETCH(int, rows);
        QFETCH(bool, footerAfterTable);
        QFETCH(QList<int>, firstRows);
        QFETCH(QList<qreal>, footerYs);
        const ReportContent content = numbered(rows, footerAfterTable);
        QList<int> starts;
        QList<qreal> footers;
        int printed = 0;
        for (const ReportPage& page : ReportPageLayout::layOut(content, kMetrics)) {
            starts << page.firstRow;
            footers << page.footerY;
            printed += page.rowCount;
            QCOMPARE(textsIn(page, QRectF(0, page.footerY + 100, 4800, 100)),
                     (QStringList{content.printLine, QStringLiteral("第 %1 页").arg(page.number)}));
            QCOMPARE(textsIn(page, QRectF(0, 0, 4800, 800)),
                     (QStringList{"Orvo餐饮收银系统", content.title}));
            QCOMPARE(textsIn(page, QRectF(0, 850, 4800, 100)), QStringList{content.subtitle});
            QCOMPARE(textsIn(page, QRectF(0, 1000, 4800, 132)), content.headers);
        }
        QCOMPARE(starts, firstRows);
        QCOMPARE(footers, footerYs);
        QCOMPARE(printed, rows);
    }

    void longCellsWrapCentredUnderTheGrid()
    {
        ReportContent content = numbered(40);
        // The name column holds (2040 - 30) / 40 = 50 bytes, 25 characters, a line.
        content.rows[0][1] = QString(59, QChar(0x83DC)) + "丂"; // GBK 81 40: a second byte below 0x80
        content.rows[30][1] = QString(100, QChar(0x83DC));      // 4 lines where 2 are left: the next page
        const QList<ReportPage> pages = ReportPageLayout::layOut(content, kMetrics);
        QList<PageText> lines;
        for (const PageText& t : pages.first().texts) {
            if (t.text.startsWith(QChar(0x83DC)))
                lines << t;
        }
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines.at(2).text, QString(9, QChar(0x83DC)) + "丂");
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(lines.at(i).alignment, int(Qt::AlignHCenter | Qt::AlignTop));
            QCOMPARE(lines.at(i).box, QRectF(1420, 1132 + 32 + i * 100, 2040, 100));
        }
        // The next row starts under the tallest cell.
        QCOMPARE(textsIn(pages.first(), QRectF(0, 1464, 4800, 132)).join(' '), "2 宫保鸡丁2 18.00");
        QCOMPARE(pages.size(), 2);
        QCOMPARE(pages.at(1).firstRow, 30);
        // The column edges from the header's top to the last row, a rule across the header's top.
        const qreal bottom = 1464 + 29 * 132;
        for (qreal x : {400, 1420, 3460, 4400})
            QVERIFY(pages.first().lines.contains(QLineF(x, 1000, x, bottom)));
        QVERIFY(pages.first().lines.contains(QLineF(400, 1000, 4400, 1000)));
        QVERIFY(pages.first().lines.contains(QLineF(400, bottom, 4400, bottom)));
    }

    void printsEveryRowOnPdfPages()
    {
        fill(100);
        const QString pdf = m_dir.filePath("report.pdf");
        m->printer.printer().setOutputFormat(QPrinter::PdfFormat);
        m->printer.printer().setOutputFileName(pdf);
        m->ctrl.Print(m->printer.printer());
        QCOMPARE(m->prompt.texts(), QStringList());
        const QStringList pages = QString(run("pdftotext", {pdf, "-"})).split('\f', Qt::SkipEmptyParts);
        QVERIFY(pages.size() >= 2);
        QStringList dishes, expected; // every row once, in order, each page going on where the last stopped
        for (int p = 0; p < pages.size(); ++p) {
            const QStringList words = pages.at(p).split(QRegularExpression("\\s+"));
            QVERIFY(words.contains("Orvo餐饮收银系统") && words.contains("消费明细报表"));
            QVERIFY(pages.at(p).contains(QRegularExpression(QString("第\\s*%1\\D").arg(p + 1)))); // 第 n 页
            const QStringList onPage = words.filter(QRegularExpression("^宫保鸡丁\\d+$"));
            QCOMPARE(words.count("18.00"), onPage.size()); // money as the list shows it
            dishes << onPage;
        }
        for (int i = 1; i <= 100; ++i)
            expected << QStringLiteral("宫保鸡丁%1").arg(i);
        QCOMPARE(dishes, expected);

        m->printer.printer().setOutputFileName(m_dir.filePath("no such folder/report.pdf"));
        m->ctrl.Print(m->printer.printer());
        QCOMPARE(m->prompt.texts(), QStringList{"打印报表时发生异常，请重新操作打印！"});
        QCOMPARE(m->prompt.shown().first().caption, "打印报表");
    }

    // One column per rule: money, a total under it, percentages, bill numbers, codes with leading
    // zeros, phone numbers, whole numbers, text among numbers, only a total; the 27th column is AA.
    void workbook()
    {
        ReportContent c{"收银汇总表", "起止日期:2026-12-01－2026-12-06", "操作员:张三", {}, {}, {}, false};
        for (int i = 1; i <= 27; ++i)
            c.headers << QStringLiteral("列%1").arg(i);
        c.rows = {{"现金", "28.10", "12.50%", "202612060001", "007", "13812345678", "4", "1.00", "0.90", ""},
                  {"挂账", "-3.50", "87.50%", "202612060002", "1.00", "", "6", "免费", "", ""},
                  {"合计", "57", "", "", "", "", "10", "", "￥0.90", "0.00"}};
        const QString path = m_dir.filePath("workbook.xlsx");
        QVERIFY(CExcelWriter(c).save(path));
        const QMap<QString, QString> sheet = readSheet(path);
        QStringList cells;
        for (const QString& ref :
             QString("A1:AA1 A2:AA2 A7:AA7 A1 A2 A7 A3 AA3 B4 B5 B6 C4 C5 D4 E4 E5 F4 G6 H4 I4 I6 J6")
                 .split(' '))
            cells << sheet.value(ref);
        QCOMPARE(cells.join(" | "), "(merged) | (merged) | (merged) | 收银汇总表 | "
                                    "起止日期:2026-12-01－2026-12-06 | 操作员:张三 | 列1 | "
                                    "列27 | =28.1 [0.00] | =-3.5 [0.00] | =57 | =0.125 [0.00%] | =0.875 "
                                    "[0.00%] | 202612060001 | 007 | "
                                    "1.00 | 13812345678 | 10 | 1.00 | =0.9 [0.00] | ￥0.90 | =0 [0.00]");
    }

    // Quantities and money are numbers, as the sales statistics and the booking list export them:
    // whole and halved quantities, deposits; the row numbers and booking numbers stay text.
    void workbookQuantitiesAndMoney()
    {
        ReportContent c{"销售统计", "", "", {"序号", "项目名", "销售数量", "订单编号", "押金"}, {}, {}, false};
        c.rows = {{"1", "果盘", "3", "20261206123000", "200.00"},
                  {"2", "啤酒", "1.5", "20261206123001", "0.00"},
                  {"合计", "", "4.5", "", ""}};
        const QString path = m_dir.filePath("quantities.xlsx");
        QVERIFY(CExcelWriter(c).save(path));
        const QMap<QString, QString> sheet = readSheet(path);
        QStringList cells;
        for (const QString& ref : QString("A4 C4 C5 C6 D4 E4 E5").split(' '))
            cells << sheet.value(ref);
        QCOMPARE(cells.join(" | "), "1 | =3 | =1.5 | =4.5 | 20261206123000 | =200 [0.00] | =0 [0.00]");
    }

    void exportToFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("existing"); // 0: none; 1: one the operator replaces; 2: one he keeps
        QTest::addColumn<bool>("canOpen"); // the desktop has a program for .xlsx files
        QTest::addColumn<QString>("message");
        auto row = [](const char* name, const char* file, int existing, bool canOpen, const char* message) {
            QTest::newRow(name) << QString(file) << existing << canOpen << QString(message);
        };
        row("saved and opened", "收银汇总表", 0, true, "");
        row("nothing to open it", "a.xlsx", 0, false, "报表已保存到%1，本机没有可以打开它的程序。");
        row("replaced on OK", "b.xlsx", 1, true, "%1文件已经存在，是否替换原文件？");
        row("kept on Cancel", "c.xlsx", 2, true, "%1文件已经存在，是否替换原文件？");
        row("no such folder", "none/d.xlsx", 0, true, "路径%1错误,不能打开显示!");
    }
    void exportToFile()
    {
        QFETCH(QString, name);
        QFETCH(int, existing);
        QFETCH(bool, canOpen);
        QFETCH(QString, message);
        const QString path = m_dir.filePath(name.endsWith(".xlsx") ? name : name + ".xlsx");
        const bool written = existing != 2 && !name.startsWith("none");
        QFile old(path);
        QVERIFY(!existing || (old.open(QIODevice::WriteOnly) && old.write("old") && old.flush()));
        old.close();
        m->prompt.answer(existing == 1 ? Prompt::Answer::Ok : Prompt::Answer::Cancel);
        fill(1);
        UrlCatcher urls;
        if (canOpen)
            QDesktopServices::setUrlHandler("file", &urls, "open");
        m->ctrl.ExportToExcelFile(m_dir.filePath(name));
        QDesktopServices::unsetUrlHandler("file");
        QCOMPARE(m->prompt.texts(), message.isEmpty() ? QStringList() : QStringList{message.arg(path)});
        QCOMPARE(readSheet(path).value("C4"), written ? "=18 [0.00]" : "");
        QCOMPARE(urls.opened, written && canOpen ? QList<QUrl>{QUrl::fromLocalFile(path)} : QList<QUrl>());
        QCOMPARE(QFile::exists(path), existing || written);
        QVERIFY(!QFile::exists(path + ".part"));
        QVERIFY(written || !existing || (old.open(QIODevice::ReadOnly) && old.readAll() == "old"));
    }
};

PELVAR_TEST(TestCPrintListReportCtrl)
#include "tst_CPrintListReportCtrl.moc"
