#include "CBcDlg.h"
#include "CPrintListReportCtrl.h"
#include "CYyBcDlg.h"
#include "DefaultPrinter.h"
#include "ModalDialogs.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <functional>
#include <QApplication>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>

namespace {

// Chinese text arrives the way an input method delivers it.
void typeText(QWidget* field, const QString& text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(field, &event);
}

QPushButton* button(const QWidget& page, const QString& text)
{
    for (QPushButton* b : page.findChildren<QPushButton*>())
        if (b->text() == text)
            return b;
    return nullptr;
}

QStringList listed(const CPrintListReportCtrl* list)
{
    QStringList out;
    for (int r = 0; r < list->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < list->columnCount(); ++c)
            cells << list->cellText(r, c);
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

void addShifts(TestDatabase& t)
{
    t.exec(QStringLiteral(
        "insert into yybc (bcmc,qssj,jssj) values ('早餐',#2010-01-01 6:0:0#,#2010-01-01 8:59:59#)"));
    t.exec(QStringLiteral(
        "insert into yybc (bcmc,qssj,jssj) values ('午餐',#2010-01-01 9:0:0#,#2010-01-01 13:0:0#)"));
}

struct Page
{
    explicit Page(TestDatabase& t) : page(t.db, printer)
    {
        page.resize(600, 400);
        page.show();
    }
    DefaultPrinter printer;
    CYyBcDlg page;
};

} // namespace

Q_DECLARE_METATYPE(Prompt::Answer)

class TestCYyBcDlg : public QObject
{
    Q_OBJECT
private slots:
    void listsAndChangesByDoubleClick();
    void addsThroughTheDialog();
    void needsASelectedRow_data();
    void needsASelectedRow();
    void remove_data();
    void remove();
};

void TestCYyBcDlg::listsAndChangesByDoubleClick()
{
    TestDatabase t;
    addShifts(t);
    Page p(t);
    CPrintListReportCtrl* list = p.page.list();
    QVERIFY(QTest::qWaitForWindowExposed(&p.page));
    QCOMPARE(list->content().headers, (QStringList{QStringLiteral("编号"), QStringLiteral("班次名称"),
                                                   QStringLiteral("起始时间"), QStringLiteral("结束时间")}));
    QCOMPARE(listed(list), (QStringList{QStringLiteral("1|早餐|06:00:00|08:59:59"),
                                        QStringLiteral("2|午餐|09:00:00|13:00:00")}));

    QString title;
    whenModal([&](QWidget* modal) {
        title = modal->windowTitle();
        auto* dialog = qobject_cast<CBcDlg*>(modal);
        QVERIFY(dialog);
        QCOMPARE(dialog->name()->text(), QStringLiteral("午餐"));
        dialog->name()->setText(QStringLiteral("午市"));
        QTest::keyClick(dialog->name(), Qt::Key_Return);
    });
    const QPoint at = list->visualRect(list->model()->index(1, 1)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(title, QStringLiteral("修改营业班次"));
    QCOMPARE(listed(list), (QStringList{QStringLiteral("1|早餐|06:00:00|08:59:59"),
                                        QStringLiteral("2|午市|09:00:00|13:00:00")}));
    QCOMPARE(t.prompt.texts(), QStringList());
}

void TestCYyBcDlg::addsThroughTheDialog()
{
    TestDatabase t;
    addShifts(t);
    Page p(t);
    whenModal([&](QWidget* modal) {
        QCOMPARE(modal->windowTitle(), QStringLiteral("增加班次"));
        // The offered 06:00:00-08:59:59 is taken: refused, then cancelled.
        auto* dialog = qobject_cast<CBcDlg*>(modal);
        typeText(dialog->name(), QStringLiteral("早茶"));
        QTest::keyClick(dialog->name(), Qt::Key_Return);
        QVERIFY(dialog->isVisible());
        QTest::keyClick(dialog->name(), Qt::Key_Escape);
    });
    QTest::mouseClick(button(p.page, QStringLiteral("添　加")), Qt::LeftButton);
    QCOMPARE(p.page.list()->rowCount(), 2);
    QCOMPARE(t.prompt.texts().size(), 1);

    whenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<CBcDlg*>(modal);
        dialog->name()->setText(QStringLiteral("晚餐"));
        dialog->start()->setTime(QTime(17, 0, 0));
        dialog->end()->setTime(QTime(21, 30, 0));
        QTest::keyClick(dialog->name(), Qt::Key_Return);
    });
    QTest::mouseClick(button(p.page, QStringLiteral("添　加")), Qt::LeftButton);
    QCOMPARE(listed(p.page.list()).last(), QStringLiteral("3|晚餐|17:00:00|21:30:00"));
}

void TestCYyBcDlg::needsASelectedRow_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("修　改") << QStringLiteral("修　改");
    QTest::newRow("删　除") << QStringLiteral("删　除");
}

void TestCYyBcDlg::needsASelectedRow()
{
    QFETCH(QString, command);
    TestDatabase t;
    addShifts(t);
    Page p(t);
    QTest::mouseClick(button(p.page, command), Qt::LeftButton);
    QCOMPARE(t.prompt.texts(), QStringList{QStringLiteral("请选定班次!")});
    QCOMPARE(p.page.list()->rowCount(), 2);
}

void TestCYyBcDlg::remove_data()
{
    QTest::addColumn<QString>("reservation");
    QTest::addColumn<Prompt::Answer>("answer");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("rows");
    const QStringList both{QStringLiteral("1|早餐|06:00:00|08:59:59"),
                           QStringLiteral("2|午餐|09:00:00|13:00:00")};
    const QStringList refused{QStringLiteral("选定班次已经有预订记录，不能删除!")};
    const QStringList question{QStringLiteral("是否真的删除选定班次?")};
    QTest::newRow("only a cancelled reservation") << "已取消" << Prompt::Answer::Yes << refused << both;
    QTest::newRow("an arrived reservation") << "到达" << Prompt::Answer::Yes << refused << both;
    QTest::newRow("answered No") << "" << Prompt::Answer::No << question << both;
    QTest::newRow("answered Yes") << "" << Prompt::Answer::Yes << question
                                  << QStringList{QStringLiteral("1|早餐|06:00:00|08:59:59")};
}

void TestCYyBcDlg::remove()
{
    QFETCH(QString, reservation);
    QFETCH(Prompt::Answer, answer);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, rows);
    TestDatabase t;
    addShifts(t);
    if (!reservation.isEmpty())
        t.exec(QStringLiteral("insert into yd (ydbh,khxm,czmc,zt,ydsj,yybcbh) "
                              "values ('20261201100000','王先生','A1','%1','2026-12-01 12:00:00',2)")
                   .arg(reservation));
    Page p(t);
    // Sorted by name, 午餐 comes first: the number is read from the row, not its place.
    QVERIFY(QTest::qWaitForWindowExposed(&p.page));
    QHeaderView* header = p.page.list()->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(1) + 10, header->height() / 2));
    QCOMPARE(p.page.list()->cellText(0, 1), QStringLiteral("午餐"));
    p.page.list()->selectRow(0);
    t.prompt.answer(answer);
    QTest::mouseClick(button(p.page, QStringLiteral("删　除")), Qt::LeftButton);
    QCOMPARE(t.prompt.texts(), messages);
    QStringList shown = listed(p.page.list());
    shown.sort();
    QCOMPARE(shown, rows);
}

PELVAR_TEST(TestCYyBcDlg)
#include "tst_CYyBcDlg.moc"
