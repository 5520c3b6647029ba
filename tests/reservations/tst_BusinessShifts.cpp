#include "BusinessShifts.h"
#include "CBcDlg.h"
#include "Clock.h"
#include "CPrintListReportCtrl.h"
#include "CYyBcDlg.h"
#include "DefaultPrinter.h"
#include "ModalDialogs.h"
#include "SettingsPageFixture.h"
#include "TestMain.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>

using Shift = BusinessShifts::Shift;
using Result = BusinessShifts::Result;
Q_DECLARE_METATYPE(Result)

namespace {

const QString kStartsInside =
    QStringLiteral("当起始时间小于已有时间段的起始时间时，结束时间不能大于于已有时间段的起始时间!");
const QString kCoversStart =
    QStringLiteral("当起始时间大于等于已有时间段的起始时间时，起始时间不能小于已有时间段的结束时间!");

// "name start-end", times as "HH:mm:ss".
Shift shift(const QString& text, int number = 0)
{
    const QStringList parts = text.split(QRegularExpression(QStringLiteral("[ -]")));
    return {number, parts.at(0), QTime::fromString(parts.at(1), QStringLiteral("HH:mm:ss")),
            QTime::fromString(parts.at(2), QStringLiteral("HH:mm:ss"))};
}

QString rows(TestDatabase& t)
{
    return t.scalar(QStringLiteral("select group_concat(yybcbh||'|'||bcmc||'|'||qssj||'|'||jssj, ';') "
                                   "from (select * from yybc order by yybcbh)"));
}

// 早餐 06:00:00-08:59:59 and 午餐 09:00:00-13:00:00, saved as the dialog saves them.
void breakfastAndLunch(TestDatabase& t)
{
    BusinessShifts shifts(t.db);
    QCOMPARE(shifts.save(shift(QStringLiteral("早餐 06:00:00-08:59:59"))), Result::Saved);
    QCOMPARE(shifts.save(shift(QStringLiteral("午餐 09:00:00-13:00:00"))), Result::Saved);
}

} // namespace

class TestBusinessShifts : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Clock::clearFixed(); }
    void save_data();
    void save();
    void changeDoesNotCollideWithItself();
    void remove_data();
    void remove();
    void pageAndDialog();
};

// Against 早餐 06:00:00-08:59:59 and 午餐 09:00:00-13:00:00.
void TestBusinessShifts::save_data()
{
    QTest::addColumn<QString>("candidate");
    QTest::addColumn<Result>("result");
    QTest::addColumn<QString>("message");
    QTest::newRow("no name") << " 14:00:00-15:00:00" << Result::NameRefused << "请输入班次名称!";
    QTest::newRow("end before start")
        << "晚餐 18:00:00-17:59:59" << Result::EndRefused << "结束时间不能小于起始时间!";
    QTest::newRow("start equal to end") << "晚餐 18:00:00-18:00:00" << Result::Saved << "";
    QTest::newRow("over the end of one") << "加餐 08:00:00-09:00:00" << Result::StartRefused << kCoversStart;
    // Both checks would refuse it; the one that runs first speaks.
    QTest::newRow("across two") << "加餐 08:00:00-10:00:00" << Result::EndRefused << kStartsInside;
    QTest::newRow("at the same start") << "加餐 09:00:00-09:30:00" << Result::StartRefused << kCoversStart;
    QTest::newRow("over the start of one") << "夜宵 05:00:00-07:00:00" << Result::EndRefused << kStartsInside;
    QTest::newRow("ending as one starts") << "夜宵 05:00:00-06:00:00" << Result::Saved << "";
    QTest::newRow("starting as one ends") << "茶 13:00:00-15:00:00" << Result::Saved << "";
    QTest::newRow("quote in the name") << "Mary's 14:00:00-15:00:00" << Result::Saved << "";
}

void TestBusinessShifts::save()
{
    QFETCH(QString, candidate);
    QFETCH(Result, result);
    QFETCH(QString, message);
    TestDatabase t;
    breakfastAndLunch(t);
    const QString before = rows(t);
    QCOMPARE(BusinessShifts(t.db).save(shift(candidate)), result);
    QCOMPARE(t.prompt.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    if (result != Result::Saved)
        QCOMPARE(rows(t), before);
    else // on the fixed day, to the second
        QCOMPARE(rows(t).section(QLatin1Char(';'), 2),
                 QStringLiteral("3|%1|2010-01-01 %2|2010-01-01 %3")
                     .arg(candidate.section(QLatin1Char(' '), 0, 0),
                          candidate.mid(candidate.indexOf(' ') + 1, 8), candidate.right(8)));
}

void TestBusinessShifts::changeDoesNotCollideWithItself()
{
    TestDatabase t;
    breakfastAndLunch(t);
    BusinessShifts shifts(t.db);
    QCOMPARE(shifts.save(shift(QStringLiteral("中餐 09:00:00-13:00:00"), 2)), Result::Saved);
    QCOMPARE(shifts.save(shift(QStringLiteral("中餐 08:30:00-13:30:00"), 2)), Result::StartRefused);
    QCOMPARE(shifts.save(shift(QStringLiteral("中餐 09:30:00-12:00:00"), 2)), Result::Saved);
    QCOMPARE(shifts.save(shift(QStringLiteral("午餐 14:00:00-15:00:00"), 7)), Result::Failed);
    QCOMPARE(t.prompt.texts(), QStringList({kCoversStart, "未找到相关的营业班次!"}));
    QCOMPARE(rows(t), QStringLiteral("1|早餐|2010-01-01 06:00:00|2010-01-01 08:59:59;"
                                     "2|中餐|2010-01-01 09:30:00|2010-01-01 12:00:00"));
}

// Shift 1 or 2 chosen (0: none), a reservation of shift 1 in a state, the answer to the question.
void TestBusinessShifts::remove_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("message");
    const QString question = QStringLiteral("是否真的删除选定班次?");
    const QString inUse = QStringLiteral("选定班次已经有预订记录，不能删除!");
    QTest::newRow("nothing selected") << "0 - yes" << QStringLiteral("请选定班次!");
    QTest::newRow("unused, yes") << "1 - yes" << question;
    QTest::newRow("unused, no") << "1 - no" << question;
    QTest::newRow("booked") << "1 已订 yes" << inUse;
    QTest::newRow("only cancelled") << "1 取消 yes" << inUse;
    QTest::newRow("booking of another shift") << "2 已订 yes" << question;
    QTest::newRow("the check fails") << "1 ! yes" << QStringLiteral("ADO Error: no such table: yd");
}

void TestBusinessShifts::remove()
{
    QFETCH(QString, entry);
    QFETCH(QString, message);
    const QStringList a = entry.split(QLatin1Char(' '));
    TestDatabase t;
    breakfastAndLunch(t);
    if (a.at(1) == QLatin1String("!")) // without knowing whether reservations refer to it, it stays
        t.exec(QStringLiteral("alter table yd rename to yd_moved"));
    else if (a.at(1) != QLatin1String("-"))
        t.exec(QStringLiteral("insert into yd (ydbh,czmc,zt,yybcbh) values ('1','A1','%1',1)").arg(a.at(1)));
    t.prompt.answer(a.at(2) == QLatin1String("yes") ? Prompt::Answer::Yes : Prompt::Answer::No);
    const bool deleted = a.at(2) == QLatin1String("yes") && message.startsWith(QStringLiteral("是否"));
    QCOMPARE(BusinessShifts(t.db).remove(a.at(0).toInt()), deleted);
    QVERIFY2(t.prompt.texts().value(0).startsWith(message), qPrintable(t.prompt.texts().value(0)));
    QCOMPARE(t.scalar("select count(*) from yybc"), deleted ? "1" : "2");
}

// The page lists the shifts; 添　加 offers a dialog whose refusal keeps it open; a double click
// changes the shift of the row clicked, also when the list is sorted otherwise.
void TestBusinessShifts::pageAndDialog()
{
    SettingsPageFixture f;
    breakfastAndLunch(f.t);
    CYyBcDlg page(f.t.db, f.printer);
    page.resize(600, 400);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    CPrintListReportCtrl* list = page.list();
    QStringList titles;
    whenModal([&titles](QWidget* modal) {
        auto* dialog = qobject_cast<CBcDlg*>(modal);
        titles << dialog->windowTitle();
        typeText(dialog->name(), QStringLiteral("早茶")); // at the offered time, which is taken
        QTest::keyClick(dialog->name(), Qt::Key_Return);
        dialog->start()->setTime(QTime(17, 0, 0));
        dialog->end()->setTime(QTime(21, 30, 0));
        QTest::keyClick(dialog->name(), Qt::Key_Return);
    });
    buttonOf(&page, QStringLiteral("添　加"))->click();
    QCOMPARE(f.t.prompt.texts(), QStringList{kCoversStart});
    QCOMPARE(list->cellText(2, 1) + list->cellText(2, 2) + list->cellText(2, 3), "早茶17:00:0021:30:00");
    QHeaderView* header = list->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(1) + 10, 5));
    whenModal([&titles](QWidget* modal) {
        auto* dialog = qobject_cast<CBcDlg*>(modal);
        titles << dialog->windowTitle() + dialog->name()->text();
        dialog->name()->setText(QStringLiteral("午市"));
        QTest::keyClick(dialog->name(), Qt::Key_Return);
    });
    const QPoint at = list->visualRect(list->model()->index(0, 1)).center(); // 午餐, sorted by name
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(titles, QStringList({"增加班次", "修改营业班次午餐"}));
    QCOMPARE(f.t.scalar("select bcmc from yybc where yybcbh=2"), QStringLiteral("午市"));
}

PELVAR_TEST(TestBusinessShifts)
#include "tst_BusinessShifts.moc"
