#include "CBcDlg.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <QTimeEdit>

namespace {

const QString kStartsInside =
    QStringLiteral("当起始时间小于已有时间段的起始时间时，结束时间不能大于于已有时间段的起始时间!");
const QString kCoversStart =
    QStringLiteral("当起始时间大于等于已有时间段的起始时间时，起始时间不能小于已有时间段的结束时间!");

// Types a time of day into a picker the way a user does: the digits of hours, minutes and
// seconds, each section moving on to the next when full.
void typeTime(QTimeEdit* picker, const QString& time)
{
    picker->setFocus();
    picker->setSelectedSection(QDateTimeEdit::HourSection);
    QTest::keyClicks(picker, QString(time).remove(QLatin1Char(':')));
}

// Chinese text arrives the way an input method delivers it.
void typeText(QWidget* field, const QString& text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(field, &event);
}

QString rows(TestDatabase& t)
{
    return t.scalar(QStringLiteral("select group_concat(bcmc||'|'||qssj||'|'||jssj, ';') "
                                   "from (select * from yybc order by yybcbh)"));
}

// Adds a shift through the dialog; true when the dialog closed with OK.
bool addShift(TestDatabase& t, const QString& name, const QString& start, const QString& end)
{
    CBcDlg dialog(t.db);
    dialog.show();
    if (!QTest::qWaitForWindowActive(&dialog))
        return false;
    typeText(dialog.name(), name);
    typeTime(dialog.start(), start);
    typeTime(dialog.end(), end);
    QTest::keyClick(dialog.end(), Qt::Key_Return);
    return dialog.result() == QDialog::Accepted && !dialog.isVisible();
}

} // namespace

class TestCBcDlg : public QObject
{
    Q_OBJECT
private slots:
    void addWithTheOfferedTimes();
    void checks_data();
    void checks();
    void modify();
    void modifyAShiftThatIsGone();
};

void TestCBcDlg::addWithTheOfferedTimes()
{
    TestDatabase t;
    CBcDlg dialog(t.db);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("增加班次"));
    QCOMPARE(dialog.name()->text(), QString());
    QCOMPARE(dialog.start()->text(), QStringLiteral("06:00:00"));
    QCOMPARE(dialog.end()->text(), QStringLiteral("08:59:59"));
    QVERIFY(dialog.name()->hasFocus());
    typeText(dialog.name(), QStringLiteral("早餐"));
    QTest::keyClick(dialog.name(), Qt::Key_Return);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(rows(t), QStringLiteral("早餐|2010-01-01 06:00:00|2010-01-01 08:59:59"));
    QCOMPARE(t.prompt.texts(), QStringList());
}

void TestCBcDlg::checks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");

    // Against 06:00:00-08:59:59 and 09:00:00-13:00:00, both entered through the dialog.
    QTest::newRow("no name") << ""
                             << "14:00:00"
                             << "15:00:00"
                             << "请输入班次名称!"
                             << "name";
    QTest::newRow("ends before it starts") << "夜宵"
                                           << "22:00:00"
                                           << "21:59:59"
                                           << "结束时间不能小于起始时间!"
                                           << "end";
    // 08:00-10:00 fails both overlap checks; the one that runs first speaks.
    QTest::newRow("08:00-10:00 spans two") << "茶点"
                                           << "08:00:00"
                                           << "10:00:00" << kStartsInside << "end";
    QTest::newRow("08:00-09:00 starts inside") << "茶点"
                                               << "08:00:00"
                                               << "09:00:00" << kCoversStart << "start";
    QTest::newRow("05:00-07:00 holds a start") << "早茶"
                                               << "05:00:00"
                                               << "07:00:00" << kStartsInside << "end";
    QTest::newRow("05:00-06:00 touches") << "早茶"
                                         << "05:00:00"
                                         << "06:00:00"
                                         << ""
                                         << "";
    QTest::newRow("13:00-13:00 touches") << "间隙"
                                         << "13:00:00"
                                         << "13:00:00"
                                         << ""
                                         << "";
}

void TestCBcDlg::checks()
{
    QFETCH(QString, name);
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    TestDatabase t;
    QVERIFY(addShift(t, QStringLiteral("早餐"), QStringLiteral("06:00:00"), QStringLiteral("08:59:59")));
    QVERIFY(addShift(t, QStringLiteral("午餐"), QStringLiteral("09:00:00"), QStringLiteral("13:00:00")));
    const QString saved = QStringLiteral("早餐|2010-01-01 06:00:00|2010-01-01 08:59:59;"
                                         "午餐|2010-01-01 09:00:00|2010-01-01 13:00:00");
    QCOMPARE(rows(t), saved);

    CBcDlg dialog(t.db);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    typeText(dialog.name(), name);
    typeTime(dialog.start(), start);
    typeTime(dialog.end(), end);
    QCOMPARE(dialog.start()->text(), start);
    QCOMPARE(dialog.end()->text(), end);
    QTest::keyClick(dialog.end(), Qt::Key_Return);

    if (message.isEmpty()) {
        QVERIFY(!dialog.isVisible());
        QCOMPARE(t.prompt.texts(), QStringList());
        QCOMPARE(rows(t), saved + QStringLiteral(";%1|2010-01-01 %2|2010-01-01 %3").arg(name, start, end));
        return;
    }
    QCOMPARE(t.prompt.texts(), QStringList{message});
    QCOMPARE(t.prompt.shown().first().caption, QStringLiteral("提示信息"));
    QVERIFY(dialog.isVisible());
    QWidget* expected = focus == QLatin1String("name")    ? static_cast<QWidget*>(dialog.name())
                        : focus == QLatin1String("start") ? static_cast<QWidget*>(dialog.start())
                                                          : static_cast<QWidget*>(dialog.end());
    QVERIFY(expected->hasFocus());
    // The values entered stay for correction.
    QCOMPARE(dialog.name()->text(), name);
    QCOMPARE(dialog.start()->text(), start);
    QCOMPARE(rows(t), saved);
}

void TestCBcDlg::modify()
{
    TestDatabase t;
    QVERIFY(addShift(t, QStringLiteral("早餐"), QStringLiteral("06:00:00"), QStringLiteral("08:59:59")));
    QVERIFY(addShift(t, QStringLiteral("午餐"), QStringLiteral("09:00:00"), QStringLiteral("13:00:00")));
    {
        // Unchanged times do not collide with the shift's own.
        CBcDlg dialog(t.db, 2);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("修改营业班次"));
        QCOMPARE(dialog.name()->text(), QStringLiteral("午餐"));
        QCOMPARE(dialog.start()->text(), QStringLiteral("09:00:00"));
        QCOMPARE(dialog.end()->text(), QStringLiteral("13:00:00"));
        dialog.name()->selectAll();
        typeText(dialog.name(), QStringLiteral("午市"));
        typeTime(dialog.end(), QStringLiteral("14:30:00"));
        QTest::keyClick(dialog.end(), Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
    }
    QCOMPARE(rows(t), QStringLiteral("早餐|2010-01-01 06:00:00|2010-01-01 08:59:59;"
                                     "午市|2010-01-01 09:00:00|2010-01-01 14:30:00"));
    QCOMPARE(t.prompt.texts(), QStringList());
}

void TestCBcDlg::modifyAShiftThatIsGone()
{
    TestDatabase t;
    CBcDlg dialog(t.db, 7);
    QCOMPARE(t.prompt.texts(), QStringList{QStringLiteral("未找到相关的营业班次!")});
    QCOMPARE(dialog.windowTitle(), QStringLiteral("修改营业班次"));
    QCOMPARE(dialog.name()->text(), QString());
    QCOMPARE(dialog.start()->text(), QStringLiteral("00:00:00"));

    // Saving it adds nothing: the shift is reported gone again and the dialog stays.
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    typeText(dialog.name(), QStringLiteral("晚餐"));
    QTest::keyClick(dialog.name(), Qt::Key_Return);
    QCOMPARE(t.prompt.texts(),
             (QStringList{QStringLiteral("未找到相关的营业班次!"), QStringLiteral("未找到相关的营业班次!")}));
    QVERIFY(dialog.isVisible());
    QCOMPARE(rows(t), QString());
}

PELVAR_TEST(TestCBcDlg)
#include "tst_CBcDlg.moc"
