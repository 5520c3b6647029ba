// Benchmarks of the list report control, built but not run by CTest: `./build/bench_reports`
// (QT_QPA_PLATFORM=offscreen when there is no display). A list of 10,000 bills is filled the way
// a report screen fills it, sorted, laid out for printing and exported.
#include "CExcelWriter.h"
#include "CPrintListReportCtrl.h"
#include "DefaultPrinter.h"
#include "Prompt.h"
#include "ReportPrintout.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTest>

namespace {

class SilentPrompt final : public Prompt
{
public:
    Answer show(const QString&, const QString&, Icon, Buttons) override { return Answer::Ok; }
};

constexpr int kRows = 10000;

QStringList bill(int i)
{
    return {QStringLiteral("2026120%1%2").arg(1 + i % 6).arg(i, 4, 10, QLatin1Char('0')),
            QStringLiteral("大厅%1").arg(i % 40),
            QString::asprintf("%.2f", 50 + (i * 37) % 900 + 0.5),
            QString::asprintf("%.2f", double(i % 7)),
            QString::asprintf("%.2f", 50 + (i * 37) % 900 - i % 7 + 0.5),
            QString(),
            i % 5 ? QStringLiteral("现金") : QStringLiteral("挂账"),
            QStringLiteral("张三"),
            QStringLiteral("2026-12-06 12:%1:%2")
                .arg(i % 60, 2, 10, QLatin1Char('0'))
                .arg(i % 59, 2, 10, QLatin1Char('0')),
            QString()};
}

} // namespace

class BenchReports : public QObject
{
    Q_OBJECT
private slots:
    void tenThousandRows();
};

void BenchReports::tenThousandRows()
{
    SilentPrompt prompt;
    DefaultPrinter printer;
    CPrintListReportCtrl list(prompt, printer);
    list.SetColumnSpec(
        "账单号,100;餐桌名,70;消费金额,80;优惠金额,80;实收金额,80;会员编号,80;结账方式,80;结账人,90;"
        "结账时间,150;备注,50");
    list.resize(1200, 700);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QList<QStringList> rows;
    for (int i = 0; i < kRows; ++i)
        rows << bill(i);

    QElapsedTimer timer;
    timer.start();
    list.setUpdatesEnabled(false);
    for (int i = 0; i < kRows; ++i) {
        list.AddRow(rows.at(i));
        if (i % 9 == 0)
            list.SetRowColor(i, Qt::red);
    }
    list.setUpdatesEnabled(true);
    QCoreApplication::processEvents();
    const qint64 fillMs = timer.restart();

    list.DeleteAllRows();
    for (int i = 0; i < kRows; ++i)
        list.AddRow(rows.at(i));
    QCoreApplication::processEvents();
    const qint64 refillMs = timer.restart();

    list.horizontalHeader()->sectionClicked(2); // money: numeric
    QCoreApplication::processEvents();
    const qint64 numericSortMs = timer.restart();
    list.horizontalHeader()->sectionClicked(1); // table names: Chinese text
    QCoreApplication::processEvents();
    const qint64 textSortMs = timer.restart();

    printer.printer().setOutputFormat(QPrinter::PdfFormat);
    const QList<ReportPage> pages =
        ReportPageLayout::layOut(list.content(), ReportPrintout::metrics(printer.printer()));
    const qint64 layoutMs = timer.restart();

    QTemporaryDir dir;
    QVERIFY(CExcelWriter(list.content()).save(dir.filePath("bills.xlsx")));
    const qint64 exportMs = timer.restart();

    QCOMPARE(list.rowCount(), kRows);
    qInfo("%d rows: fill %lld ms (again without colours %lld ms), sort numeric %lld ms, sort Chinese text "
          "%lld ms,"
          " page layout %lld ms (%lld pages), .xlsx export %lld ms",
          kRows, fillMs, refillMs, numericSortMs, textSortMs, layoutMs, qint64(pages.size()), exportMs);
}

QTEST_MAIN(BenchReports)
#include "bench_Reports.moc"
