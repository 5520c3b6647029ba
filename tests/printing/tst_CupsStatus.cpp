#include "CupsStatus.h"
#include "PrintStatus.h"
#include "TestMain.h"

#include <QTest>

class TestCupsStatus : public QObject
{
    Q_OBJECT
private slots:
    void printer_data();
    void printer();
    void job_data();
    void job();
};

namespace {
enum
{
    Idle = 3,
    Processing = 4,
    Stopped = 5
};
enum
{
    Pending = 3,
    Held = 4,
    JobProcessing = 5,
    JobStopped = 6,
    Canceled = 7,
    Aborted = 8,
    Completed = 9
};
} // namespace

void TestCupsStatus::printer_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<QStringList>("reasons");
    QTest::addColumn<bool>("accepting");
    QTest::addColumn<quint32>("status");

    using namespace PrinterStatus;
    const QStringList none{QStringLiteral("none")};
    QTest::newRow("idle") << int(Idle) << none << true << 0u;
    QTest::newRow("processing") << int(Processing) << none << true << Printing;
    QTest::newRow("stopped") << int(Stopped) << QStringList{QStringLiteral("paused")} << true << Paused;
    QTest::newRow("stopped without reason") << int(Stopped) << none << true << Paused;
    QTest::newRow("paused reason") << int(Idle) << QStringList{QStringLiteral("paused")} << true << Paused;
    QTest::newRow("rejecting") << int(Idle) << none << false << NotAvailable;

    struct Row
    {
        const char* reason;
        quint32 status;
    };
    const Row rows[] = {
        {"media-jam", PaperJam},
        {"media-jam-error", PaperJam},
        {"media-jam-warning", PaperJam},
        {"media-empty", PaperOut},
        {"media-empty-error", PaperOut},
        {"media-needed", PaperOut},
        {"input-tray-missing", PaperProblem},
        {"media-low-report", PaperProblem},
        {"output-area-full", OutputBinFull},
        {"toner-low", TonerLow},
        {"marker-supply-low-warning", TonerLow},
        {"toner-empty-error", NoToner},
        {"marker-supply-empty", NoToner},
        {"spool-area-full", OutOfMemory},
        {"offline-report", Offline},
        {"connecting-to-device", Offline},
        {"timed-out", Offline},
        {"door-open", DoorOpen},
        {"cover-open-warning", DoorOpen},
        {"interlock-open", DoorOpen},
        {"other", Error},
        {"fuser-over-temp-error", Error},
        {"fuser-over-temp-warning", 0},
        {"cups-insecure-filter-warning", 0},
        {"developer-low-report", 0},
        {"moving-to-paused", 0},
        {"shutdown", 0},
        {"offline", 0},
    };
    for (const Row& row : rows)
        QTest::newRow(row.reason) << int(Idle) << QStringList{QString::fromLatin1(row.reason)} << true
                                  << row.status;

    QTest::newRow("several") << int(Processing)
                             << QStringList{QStringLiteral("media-jam-error"),
                                            QStringLiteral("toner-low-report"), QStringLiteral("door-open")}
                             << false << (Printing | PaperJam | TonerLow | DoorOpen | NotAvailable);
}

void TestCupsStatus::printer()
{
    QFETCH(int, state);
    QFETCH(QStringList, reasons);
    QFETCH(bool, accepting);
    QFETCH(quint32, status);
    QCOMPARE(CupsStatus::printerStatus(state, reasons, accepting), status);
}

void TestCupsStatus::job_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<quint32>("printerStatus");
    QTest::addColumn<quint32>("status");

    using namespace JobStatus;
    QTest::newRow("pending") << int(Pending) << 0u << 0u;
    QTest::newRow("held") << int(Held) << 0u << Paused;
    QTest::newRow("processing") << int(JobProcessing) << PrinterStatus::Printing << Printing;
    QTest::newRow("processing, printer error")
        << int(JobProcessing) << PrinterStatus::Error << (Printing | Error);
    QTest::newRow("processing, printer offline")
        << int(JobProcessing) << PrinterStatus::Offline << (Printing | Offline);
    QTest::newRow("processing, paper out")
        << int(JobProcessing) << PrinterStatus::PaperOut << (Printing | PaperOut);
    QTest::newRow("processing, jam") << int(JobProcessing) << PrinterStatus::PaperJam << Printing;
    QTest::newRow("held, printer error") << int(Held) << PrinterStatus::Error << Paused;
    QTest::newRow("stopped") << int(JobStopped) << 0u << BlockedDevq;
    QTest::newRow("aborted") << int(Aborted) << 0u << Error;
    QTest::newRow("canceled") << int(Canceled) << 0u << 0u;
    QTest::newRow("completed") << int(Completed) << 0u << 0u;
}

void TestCupsStatus::job()
{
    QFETCH(int, state);
    QFETCH(quint32, printerStatus);
    QFETCH(quint32, status);
    QCOMPARE(CupsStatus::jobStatus(state, printerStatus), status);
}

PELVAR_TEST(TestCupsStatus)
#include "tst_CupsStatus.moc"
