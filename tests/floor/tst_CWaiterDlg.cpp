#include "CWaiterDlg.h"
#include "TestDatabase.h"
#include "TestMain.h"
#include "WaiterField.h"

#include <QTest>
#include <QTreeWidget>

namespace {

struct Registration
{
    Registration()
    {
        t.exec("insert into fws(xm,jp) values('王芳','WF')");
        t.exec("insert into fws(xm,jp) values('李强','LQ')");
        t.exec("insert into dj(djbh,czm,fjm,rs,xfzt,zdbh,zdbj,fws) "
               "values('20261206120000','A1','大厅',4,'离店','20261206120000','y',1)");
        t.exec("insert into dj(djbh,czm,fjm,rs,xfzt,zdbh,zdbj,fws) "
               "values('20261206120001','A2','大厅',2,'离店','20261206120001','y',1)");
    }
    QString waiterOf(const QString& number)
    {
        return t.scalar("select fws from dj where djbh='" + number + "'");
    }
    TestDatabase t;
};

} // namespace

class TestCWaiterDlg : public QObject
{
    Q_OBJECT
private slots:
    void pickedWaiterIsWritten();
    void typedButNotPickedWritesNone();
    void cancelWritesNothing();
};

void TestCWaiterDlg::pickedWaiterIsWritten()
{
    Registration r;
    CWaiterDlg dialog(r.t.db, QStringLiteral("20261206120000"), 1);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(dialog.field()->text(), QStringLiteral("王芳"));
    dialog.field()->selectAll();
    QTest::keyClicks(dialog.field(), QStringLiteral("lq"));
    QTest::keyClick(dialog.field(), Qt::Key_Down);
    QTest::keyClick(dialog.field()->list(), Qt::Key_Return);
    QCOMPARE(dialog.field()->text(), QStringLiteral("李强"));
    QVERIFY(dialog.isVisible());
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(r.waiterOf("20261206120000"), QStringLiteral("2"));
    QCOMPARE(r.waiterOf("20261206120001"), QStringLiteral("1"));
}

void TestCWaiterDlg::typedButNotPickedWritesNone()
{
    Registration r;
    CWaiterDlg dialog(r.t.db, QStringLiteral("20261206120000"), 1);
    dialog.show();
    dialog.field()->setText(QStringLiteral("李强"));
    QVERIFY(dialog.field()->list()->isVisible());
    QTest::keyClick(dialog.field(), Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(r.waiterOf("20261206120000"), QStringLiteral("0"));
}

void TestCWaiterDlg::cancelWritesNothing()
{
    Registration r;
    CWaiterDlg dialog(r.t.db, QStringLiteral("20261206120000"), 1);
    dialog.show();
    dialog.field()->clear();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(r.waiterOf("20261206120000"), QStringLiteral("1"));
}

PELVAR_TEST(TestCWaiterDlg)
#include "tst_CWaiterDlg.moc"
