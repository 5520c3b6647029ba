#include "CExcelWriter.h"
#include "CPrintListReportCtrl.h"
#include "DefaultPrinter.h"
#include "ScriptedPrompt.h"
#include "TestMain.h"

#include <QDesktopServices>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QXmlStreamReader>

namespace {

QByteArray unzipped(const QString& xlsx, const QString& member)
{
    QProcess p;
    p.start("unzip", {"-p", xlsx, member});
    p.waitForFinished();
    return p.readAllStandardOutput();
}

// What a test reads back from a workbook: cell texts and styles by reference ("B3"), merged
// ranges, row heights, column widths.
struct Workbook
{
    struct Style
    {
        bool bold = false;
        double points = 0;
        QString font;
        bool thinBorders = false;
    };
    QMap<QString, QString> text;
    QMap<QString, Style> style;
    QStringList merges;
    QString dimension;
    QMap<int, double> rowHeights;
    QList<double> columnWidths;
};

Workbook readWorkbook(const QString& path)
{
    Workbook book;
    QStringList strings;
    for (QXmlStreamReader x(unzipped(path, "xl/sharedStrings.xml")); !x.atEnd();) {
        if (x.readNext() == QXmlStreamReader::StartElement && x.name() == u"t")
            strings << x.readElementText();
    }

    QList<Workbook::Style> fonts, xfs;
    QList<bool> borders;
    bool inCellXfs = false;
    for (QXmlStreamReader x(unzipped(path, "xl/styles.xml")); !x.atEnd();) {
        const auto token = x.readNext();
        const auto a = x.attributes();
        if (token == QXmlStreamReader::EndElement && x.name() == u"cellXfs")
            inCellXfs = false;
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (x.name() == u"font")
            fonts << Workbook::Style{};
        else if (x.name() == u"b")
            fonts.last().bold = true;
        else if (x.name() == u"sz" && !fonts.isEmpty())
            fonts.last().points = a.value("val").toDouble();
        else if (x.name() == u"name" && !fonts.isEmpty())
            fonts.last().font = a.value("val").toString();
        else if (x.name() == u"border")
            borders << true;
        else if ((x.name() == u"left" || x.name() == u"right" || x.name() == u"top" ||
                  x.name() == u"bottom") &&
                 a.value("style") != u"thin")
            borders.last() = false;
        else if (x.name() == u"cellXfs")
            inCellXfs = true;
        else if (x.name() == u"xf" && inCellXfs) {
            Workbook::Style s = fonts.value(a.value("fontId").toInt());
            s.thinBorders = borders.value(a.value("borderId").toInt());
            xfs << s;
        }
    }

    QString cell;
    for (QXmlStreamReader x(unzipped(path, "xl/worksheets/sheet1.xml")); !x.atEnd();) {
        if (x.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto a = x.attributes();
        if (x.name() == u"dimension")
            book.dimension = a.value("ref").toString();
        else if (x.name() == u"mergeCell")
            book.merges << a.value("ref").toString();
        else if (x.name() == u"row" && a.hasAttribute("ht"))
            book.rowHeights[a.value("r").toInt()] = a.value("ht").toDouble();
        else if (x.name() == u"col")
            book.columnWidths << a.value("width").toDouble();
        else if (x.name() == u"c") {
            cell = a.value("r").toString();
            book.style[cell] = xfs.value(a.value("s").toInt());
        } else if (x.name() == u"v")
            book.text[cell] = strings.value(x.readElementText().toInt());
    }
    return book;
}

ReportContent sample(int columns)
{
    ReportContent content;
    content.title = QStringLiteral("收银汇总表");
    content.subtitle = QStringLiteral("起止日期:2026-12-01－2026-12-06");
    content.printLine = QStringLiteral("打印时间:2026年12月6日 9时0分0秒              操作员:张三");
    for (int c = 0; c < columns; ++c)
        content.headers << QStringLiteral("列%1").arg(c + 1);
    content.rows << QStringList{QStringLiteral("现金"), "1,280.50", ""}
                 << QStringList{QStringLiteral("挂账"), "-32.00", "x"};
    for (QStringList& row : content.rows)
        row.resize(columns);
    return content;
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

class TestCExcelWriter : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void cellLayout();
    void columnsPastZ();
    void fittedWidths();
    void exportAppendsSuffixAndOpens();
    void existingFileCancelLeavesItAlone();
    void existingFileReplacedOnOk();
    void unwritableFolder();
    void openingWithoutASavedFile();

private:
    static void fill(CPrintListReportCtrl& list);
    QTemporaryDir m_dir;
    UrlCatcher m_urls;
};

void TestCExcelWriter::initTestCase()
{
    if (QStandardPaths::findExecutable("unzip").isEmpty())
        QSKIP("unzip is not installed");
    QDesktopServices::setUrlHandler("file", &m_urls, "open");
}

void TestCExcelWriter::cleanupTestCase()
{
    QDesktopServices::unsetUrlHandler("file");
}

void TestCExcelWriter::fill(CPrintListReportCtrl& list)
{
    list.SetColumnSpec("结账方式,100;实收金额,100;");
    list.AddRow({"现金", "100.00"});
    list.SetReportTitle("收银汇总表");
}

void TestCExcelWriter::cellLayout()
{
    const QString path = m_dir.filePath("layout.xlsx");
    QVERIFY(CExcelWriter(sample(3)).save(path));
    const Workbook book = readWorkbook(path);

    QCOMPARE(book.merges, (QStringList{"A1:C1", "A2:C2", "A6:C6"}));
    QCOMPARE(book.text.value("A1"), QStringLiteral("收银汇总表"));
    QCOMPARE(book.text.value("A2"), QStringLiteral("起止日期:2026-12-01－2026-12-06"));
    QCOMPARE(book.text.value("A3"), QStringLiteral("列1"));
    QCOMPARE(book.text.value("C3"), QStringLiteral("列3"));
    QCOMPARE(book.text.value("A4"), QStringLiteral("现金"));
    QCOMPARE(book.text.value("B4"), QStringLiteral("1,280.50")); // the list's text, as shown
    QCOMPARE(book.text.value("B5"), QStringLiteral("-32.00"));
    QCOMPARE(book.text.value("C5"), QStringLiteral("x"));
    QCOMPARE(book.text.value("A6"),
             QStringLiteral("打印时间:2026年12月6日 9时0分0秒              操作员:张三"));
    QVERIFY(!book.text.contains("A7"));

    QVERIFY(book.style["A1"].bold);
    QCOMPARE(book.style["A1"].points, 12.0);
    QVERIFY(!book.style["A2"].bold);
    QCOMPARE(book.style["A2"].points, 9.0);
    for (const char* header : {"A3", "B3", "C3"}) {
        QVERIFY(book.style[header].bold);
        QCOMPARE(book.style[header].points, 10.0);
        QVERIFY(book.style[header].thinBorders);
    }
    for (const char* data : {"A4", "C4", "B5"}) { // empty cells keep their borders too
        QVERIFY(!book.style[data].bold);
        QCOMPARE(book.style[data].points, 9.0);
        QVERIFY(book.style[data].thinBorders);
        QCOMPARE(book.style[data].font, QStringLiteral("Microsoft Sans Serif"));
    }
    QVERIFY(!book.style["A1"].thinBorders);
    QCOMPARE(book.rowHeights, (QMap<int, double>{{1, 20}, {2, 20}, {3, 20}, {4, 20}, {5, 20}, {6, 20}}));
}

void TestCExcelWriter::columnsPastZ()
{
    const QString path = m_dir.filePath("wide.xlsx");
    QVERIFY(CExcelWriter(sample(27)).save(path));
    const Workbook book = readWorkbook(path);
    QCOMPARE(book.merges, (QStringList{"A1:AA1", "A2:AA2", "A6:AA6"}));
    QCOMPARE(book.dimension, QStringLiteral("A1:AA6"));
    QCOMPARE(book.text.value("AA3"), QStringLiteral("列27"));
}

void TestCExcelWriter::fittedWidths()
{
    const QString path = m_dir.filePath("widths.xlsx");
    ReportContent content = sample(2);
    content.rows << QStringList{QStringLiteral("宫保鸡丁宫保鸡丁宫保鸡丁"), "1"};
    QVERIFY(CExcelWriter(content).save(path));
    const QList<double> widths = readWorkbook(path).columnWidths;
    QCOMPARE(widths.size(), 2);
    QVERIFY2(widths.at(0) >= 24 && widths.at(0) <= 30, qPrintable(QString::number(widths.at(0)))); // 24 bytes
    QVERIFY2(widths.at(1) >= 8 && widths.at(1) < 12, qPrintable(QString::number(widths.at(1)))); // "1,280.50"
}

void TestCExcelWriter::exportAppendsSuffixAndOpens()
{
    ScriptedPrompt prompt;
    DefaultPrinter printer;
    CPrintListReportCtrl list(prompt, printer);
    fill(list);
    m_urls.opened.clear();
    list.ExportToExcelFile(m_dir.filePath("收银汇总表"));
    const QString saved = m_dir.filePath("收银汇总表.xlsx");
    QVERIFY(QFile::exists(saved));
    QCOMPARE(readWorkbook(saved).text.value("A4"), QStringLiteral("现金"));
    QCOMPARE(m_urls.opened, QList<QUrl>{QUrl::fromLocalFile(saved)});
    QCOMPARE(prompt.texts(), QStringList());
    QVERIFY(!QFile::exists(saved + ".part"));
}

void TestCExcelWriter::existingFileCancelLeavesItAlone()
{
    ScriptedPrompt prompt;
    DefaultPrinter printer;
    CPrintListReportCtrl list(prompt, printer);
    fill(list);
    const QString path = m_dir.filePath("old.xlsx");
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old contents");
    old.close();
    m_urls.opened.clear();
    prompt.answer(Prompt::Answer::Cancel);
    list.ExportToExcelFile(path);
    QCOMPARE(prompt.texts(), QStringList{path + QStringLiteral("文件已经存在，是否替换原文件？")});
    QCOMPARE(prompt.shown().first().buttons, Prompt::Buttons::OkCancel);
    QCOMPARE(prompt.shown().first().caption, QStringLiteral("提示信息"));
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("old contents"));
    QVERIFY(m_urls.opened.isEmpty());
}

void TestCExcelWriter::existingFileReplacedOnOk()
{
    ScriptedPrompt prompt;
    DefaultPrinter printer;
    CPrintListReportCtrl list(prompt, printer);
    fill(list);
    const QString path = m_dir.filePath("replace.xlsx");
    QVERIFY(CExcelWriter(sample(3)).save(path));
    prompt.answer(Prompt::Answer::Ok);
    list.ExportToExcelFile(path);
    QCOMPARE(prompt.texts().size(), 1);
    QCOMPARE(readWorkbook(path).text.value("B3"), QStringLiteral("实收金额"));
}

void TestCExcelWriter::unwritableFolder()
{
    ScriptedPrompt prompt;
    DefaultPrinter printer;
    CPrintListReportCtrl list(prompt, printer);
    fill(list);
    m_urls.opened.clear();
    list.ExportToExcelFile(m_dir.filePath("no such folder/report.xlsx"));
    QCOMPARE(prompt.texts(), QStringList{QStringLiteral("EXCEL初始化时出错!")});
    QCOMPARE(prompt.shown().first().icon, Prompt::Icon::Critical);
    QVERIFY(m_urls.opened.isEmpty());
}

void TestCExcelWriter::openingWithoutASavedFile()
{
    ScriptedPrompt prompt;
    DefaultPrinter printer;
    CPrintListReportCtrl list(prompt, printer);
    fill(list);
    list.OpenExportedFile();
    QCOMPARE(prompt.texts(), QStringList{QStringLiteral("请先存文件后,方可打开!")});

    // A saved file that has gone since.
    prompt.clear();
    const QString path = m_dir.filePath("gone.xlsx");
    list.ExportToExcelFile(path);
    QVERIFY(QFile::remove(path));
    list.OpenExportedFile();
    QCOMPARE(prompt.texts(),
             QStringList{QStringLiteral("路径") + path + QStringLiteral("错误,不能打开显示!")});
    QCOMPARE(prompt.shown().first().icon, Prompt::Icon::Information);
}

PELVAR_TEST(TestCExcelWriter)
#include "tst_CExcelWriter.moc"
