#include "CDzDlg.h"
#include "PasswordHash.h"
#include "Sql.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

namespace {

bool matches(const QString& stored, const QString& typed)
{
    return PasswordHash::matches(typed, stored);
}

// A cashier allowed down to 0.80 and a manager allowed down to 0.40 with the password "8888".
struct Operators
{
    explicit Operators(TestDatabase& t)
    {
        t.exec(QStringLiteral("insert into [user](xm,mm,dzbl) values('收银员',%1,0.8)")
                   .arg(Sql::quote(PasswordHash::make(QStringLiteral("1")))));
        t.exec(QStringLiteral("insert into [user](xm,mm,dzbl) values('经理',%1,0.4)")
                   .arg(Sql::quote(PasswordHash::make(QStringLiteral("8888")))));
    }
};

struct Fixture
{
    void show()
    {
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
    }
    void type(QLineEdit* field, const QString& text)
    {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
    }

    TestDatabase t;
    Operators operators{t};
    CDzDlg dialog{t.db, Cashier{QStringLiteral("收银员"), QStringLiteral("0.80"), QStringLiteral("1")},
                  matches};
};

} // namespace

class tst_CDzDlg : public QObject
{
    Q_OBJECT

private slots:
    void opening();
    void refusedRatioKeepsTheDialogOpen_data();
    void refusedRatioKeepsTheDialogOpen();
    void switchWithWrongAndRightPassword();
    void scope();
};

void tst_CDzDlg::opening()
{
    Fixture f;
    f.show();
    QVERIFY(f.dialog.windowTitle().isEmpty());
    QCOMPARE(f.dialog.ratioEdit()->text(), QStringLiteral("1"));
    QCOMPARE(QApplication::focusWidget(), f.dialog.ratioEdit());
    QStringList names;
    for (int i = 0; i < f.dialog.operatorBox()->count(); ++i)
        names << f.dialog.operatorBox()->itemText(i);
    QVERIFY(names.contains(QStringLiteral("经理")) && names.contains(QStringLiteral("系统管理员")));
    QCOMPARE(f.dialog.operatorBox()->currentText(), QStringLiteral("收银员"));
    // The limit without decimals: 0.80 reads as 1.
    QCOMPARE(f.dialog.limitLabel()->text(), QStringLiteral("当前最低折扣为:1"));
    QVERIFY(!f.dialog.selectedOnly());
}

void tst_CDzDlg::refusedRatioKeepsTheDialogOpen_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::newRow("below the limit") << "0.75" << QStringLiteral("折扣错误，当前操最低折扣为:1，请从新输入!");
    QTest::newRow("above one") << "1.5" << QStringLiteral("打折比例输入错误,0到1之间!");
}

void tst_CDzDlg::refusedRatioKeepsTheDialogOpen()
{
    QFETCH(QString, typed);
    QFETCH(QString, message);
    Fixture f;
    f.show();
    f.type(f.dialog.ratioEdit(), typed);
    QTest::keyClick(f.dialog.ratioEdit(), Qt::Key_Return);
    QCOMPARE(f.t.prompt.texts(), QStringList{message});
    QVERIFY(f.dialog.isVisible());
    QCOMPARE(f.dialog.result(), int(QDialog::Rejected));
    QCOMPARE(QApplication::focusWidget(), f.dialog.ratioEdit());
    QCOMPARE(f.dialog.ratioEdit()->selectedText(), typed);

    // At the limit it closes with the ratio as written.
    f.type(f.dialog.ratioEdit(), QStringLiteral("0.8"));
    QTest::keyClick(f.dialog.ratioEdit(), Qt::Key_Return);
    QCOMPARE(f.dialog.result(), int(QDialog::Accepted));
    QCOMPARE(f.dialog.ratio(), QStringLiteral("0.80"));
}

void tst_CDzDlg::switchWithWrongAndRightPassword()
{
    Fixture f;
    f.show();
    f.dialog.operatorBox()->setCurrentText(QStringLiteral("经理"));

    // Enter in the password switches; a wrong one keeps the limit.
    f.type(f.dialog.passwordEdit(), QStringLiteral("1234"));
    QTest::keyClick(f.dialog.passwordEdit(), Qt::Key_Return);
    QCOMPARE(f.t.prompt.texts(), QStringList{QStringLiteral("密码不正确!")});
    QVERIFY(f.dialog.passwordEdit()->text().isEmpty());
    QCOMPARE(f.dialog.limitLabel()->text(), QStringLiteral("当前最低折扣为:1"));
    QVERIFY(f.dialog.isVisible());

    // The stored text is a hash: typing it does not pass.
    f.type(f.dialog.passwordEdit(), f.t.scalar(QStringLiteral("select mm from [user] where xm='经理'")));
    QTest::keyClick(f.dialog.passwordEdit(), Qt::Key_Return);
    QCOMPARE(f.t.prompt.texts().size(), 2);

    f.t.prompt.clear();
    f.type(f.dialog.passwordEdit(), QStringLiteral("8888"));
    QTest::keyClick(f.dialog.passwordEdit(), Qt::Key_Return);
    QVERIFY(f.t.prompt.texts().isEmpty());
    QVERIFY(f.dialog.passwordEdit()->text().isEmpty());
    QCOMPARE(f.dialog.limitLabel()->text(), QStringLiteral("当前最低折扣为:0"));

    f.type(f.dialog.ratioEdit(), QStringLiteral("0.5"));
    QTest::keyClick(f.dialog.ratioEdit(), Qt::Key_Return);
    QCOMPARE(f.dialog.result(), int(QDialog::Accepted));
    QCOMPARE(f.dialog.ratio(), QStringLiteral("0.50"));
}

void tst_CDzDlg::scope()
{
    Fixture f;
    f.show();
    f.dialog.selectedScope()->setFocus();
    QTest::keyClick(f.dialog.selectedScope(), Qt::Key_Space);
    QVERIFY(f.dialog.selectedOnly());
    QTest::keyClick(f.dialog.ratioEdit(), Qt::Key_Return);
    QCOMPARE(f.dialog.result(), int(QDialog::Accepted));
    QCOMPARE(f.dialog.ratio(), QStringLiteral("1.00"));
}

PELVAR_TEST(tst_CDzDlg)
#include "tst_CDzDlg.moc"
