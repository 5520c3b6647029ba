#include "CFjPage.h"
#include "CPrintListReportCtrl.h"
#include "RoomDialog.h"
#include "SettingsPageFixture.h"
#include "TableBatchDialog.h"
#include "TableDialog.h"
#include "TestMain.h"

#include <memory>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

const QString kRooms = QStringLiteral("房间");
const QString kTables = QStringLiteral("餐桌");

// The page on a database with the rooms 大厅 (tables T1, T2) and 包间 (T3).
struct Page : SettingsPageFixture
{
    explicit Page(const QStringList& without = {}) : SettingsPageFixture(without)
    {
        t.exec(QStringLiteral("insert into fj(fjm,csfy) values('大厅','一楼'),('包间','')"));
        t.exec(QStringLiteral(
            "insert into cz(czm,zzws,fjm) values('T1',4,'大厅'),('T2',6,'大厅'),('T3',10,'包间')"));
        page = std::make_unique<CFjPage>(t.db, t.prompt, op, printer);
        page->resize(1000, 500);
        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page.get()));
    }

    // Clicks the row whose first column reads `text`.
    void select(CPrintListReportCtrl* list, const QString& text, int column = 0)
    {
        for (int row = 0; row < list->rowCount(); ++row) {
            if (list->cellText(row, column) != text)
                continue;
            const QRect cell = list->visualRect(list->model()->index(row, 0));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
            return;
        }
        QFAIL(qPrintable(QStringLiteral("no row ") + text));
    }

    QStringList shown(CPrintListReportCtrl* list, int column)
    {
        QStringList texts;
        for (int row = 0; row < list->rowCount(); ++row)
            texts << list->cellText(row, column);
        return texts;
    }

    void click(const QString& text, const QString& group)
    {
        QPushButton* button = buttonOf(page.get(), text, group);
        QVERIFY2(button, qPrintable(text));
        button->click();
    }

    std::unique_ptr<CFjPage> page;
};

void replaceText(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    typeText(edit, text);
}

} // namespace

class TestCFjPage : public QObject
{
    Q_OBJECT
private slots:
    void buttonsCheckTheirRightFirst_data();
    void buttonsCheckTheirRightFirst();
    void choosingARoomShowsItsTables();
    void renamingARoomMovesItsTables();
    void roomDeletion();
    void tableDialogChecksInOrder_data();
    void tableDialogChecksInOrder();
    void addedTableJoinsTheList();
    void batchThroughTheDialog_data();
    void batchThroughTheDialog();
    void batchFocusGoesToTheFieldAtFault_data();
    void batchFocusGoesToTheFieldAtFault();
    void usedTablesAreKept_data();
    void usedTablesAreKept();
};

void TestCFjPage::buttonsCheckTheirRightFirst_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("right");
    for (const char* button : {"添加", "修改", "删除"})
        QTest::newRow(qPrintable(QStringLiteral("房间 ") + QString::fromUtf8(button)))
            << kRooms << QString::fromUtf8(button) << QStringLiteral("fjqx");
    for (const char* button : {"添加", "批量添加", "修改", "删除"})
        QTest::newRow(qPrintable(QStringLiteral("餐桌 ") + QString::fromUtf8(button)))
            << kTables << QString::fromUtf8(button) << QStringLiteral("czqx");
}

void TestCFjPage::buttonsCheckTheirRightFirst()
{
    QFETCH(QString, group);
    QFETCH(QString, button);
    QFETCH(QString, right);
    Page p({right});
    // With a row selected, only the right can stop the command.
    p.select(p.page->roomList(), QStringLiteral("1"));
    p.select(p.page->tableList(), QStringLiteral("T1"));
    ModalHandler handler([](QWidget* modal) { modal->close(); });
    p.click(button, group);
    QTest::qWait(50);
    QVERIFY(!handler.handled());
    QCOMPARE(p.t.prompt.texts(), QStringList{QStringLiteral("你没有此操作权限!")});
    QCOMPARE(p.t.scalar(QStringLiteral("select count(*) from fj")), QStringLiteral("2"));
    QCOMPARE(p.t.scalar(QStringLiteral("select count(*) from cz")), QStringLiteral("3"));
}

void TestCFjPage::choosingARoomShowsItsTables()
{
    Page p;
    QComboBox* filter = p.page->roomFilter();
    QCOMPARE(filter->currentText(), QStringLiteral("显示全部"));
    QCOMPARE(p.shown(p.page->tableList(), 0), (QStringList{"T1", "T2", "T3"}));
    QCOMPARE(p.shown(p.page->tableList(), 1), (QStringList{"空闲", "空闲", "空闲"}));

    p.select(p.page->roomList(), QStringLiteral("2"));
    QCOMPARE(filter->currentText(), QStringLiteral("包间"));
    QCOMPARE(p.shown(p.page->tableList(), 0), QStringList{"T3"});

    // From the keyboard: the filter's first entry shows every room's tables again.
    filter->setFocus();
    QTest::keyClick(filter, Qt::Key_Home);
    QCOMPARE(p.shown(p.page->tableList(), 0), (QStringList{"T1", "T2", "T3"}));
    QTest::keyClick(filter, Qt::Key_Down);
    QCOMPARE(filter->currentText(), QStringLiteral("大厅"));
    QCOMPARE(p.shown(p.page->tableList(), 0), (QStringList{"T1", "T2"}));
}

void TestCFjPage::renamingARoomMovesItsTables()
{
    Page p;
    p.t.exec(QStringLiteral("insert into dj(djbh,czm,fjm,xfzt) values('1','T9','大厅','1')"));
    p.select(p.page->roomList(), QStringLiteral("1"));
    QString title;
    QStringList texts;
    ModalHandler handler([&](QWidget* modal) {
        auto* dialog = qobject_cast<RoomDialog*>(modal);
        QVERIFY(dialog);
        title = dialog->windowTitle();
        QCOMPARE(dialog->noteEdit()->text(), QStringLiteral("一楼"));
        // Another room's name is refused; the name field takes the focus for another try.
        replaceText(dialog->nameEdit(), QStringLiteral("包间"));
        dialog->noteEdit()->setFocus();
        QTest::keyClick(dialog->noteEdit(), Qt::Key_Return);
        texts = p.t.prompt.texts();
        QVERIFY(dialog->isVisible());
        QCOMPARE(QApplication::focusWidget(), dialog->nameEdit());
        replaceText(dialog->nameEdit(), QStringLiteral("一楼大厅"));
        QTest::keyClick(dialog->nameEdit(), Qt::Key_Return);
    });
    p.click(QStringLiteral("修改"), kRooms);
    QCOMPARE(title, QStringLiteral("修改房间信息"));
    QCOMPARE(texts, QStringList{QStringLiteral("已经存在此房间")});
    QCOMPARE(p.values(QStringLiteral("select czm from cz where fjm='一楼大厅' order by id"), "czm"),
             (QStringList{"T1", "T2"}));
    QCOMPARE(p.t.scalar(QStringLiteral("select count(*) from cz where fjm='大厅'")), QStringLiteral("0"));
    // A past visit keeps the name the room had then.
    QCOMPARE(p.t.scalar(QStringLiteral("select fjm from dj")), QStringLiteral("大厅"));
    // The page shows the new name everywhere, and the renamed room's tables.
    QCOMPARE(p.shown(p.page->roomList(), 1), (QStringList{"一楼大厅", "包间"}));
    QCOMPARE(p.page->roomFilter()->currentText(), QStringLiteral("一楼大厅"));
    QCOMPARE(p.page->roomFilter()->findText(QStringLiteral("大厅")), -1);
    QCOMPARE(p.shown(p.page->tableList(), 2), (QStringList{"一楼大厅", "一楼大厅"}));
}

void TestCFjPage::roomDeletion()
{
    Page p;
    p.t.exec(QStringLiteral("insert into fj(fjm) values('雅座')"));
    p.page = std::make_unique<CFjPage>(p.t.db, p.t.prompt, p.op, p.printer);
    p.page->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.page.get()));

    p.click(QStringLiteral("删除"), kRooms);
    p.select(p.page->roomList(), QStringLiteral("1"));
    p.click(QStringLiteral("删除"), kRooms);
    QCOMPARE(p.t.prompt.texts(), (QStringList{QStringLiteral("请选定要删除的房间!"),
                                              QStringLiteral("此房间中已经设有餐桌,不能删除！")}));

    p.t.prompt.clear();
    p.select(p.page->roomList(), QStringLiteral("3"));
    QCOMPARE(p.page->roomFilter()->currentText(), QStringLiteral("雅座"));
    p.click(QStringLiteral("删除"), kRooms);
    // An empty room goes without a question, from the list and from the filter.
    QVERIFY(p.t.prompt.texts().isEmpty());
    QCOMPARE(p.values(QStringLiteral("select fjm from fj order by id"), "fjm"),
             (QStringList{"大厅", "包间"}));
    QCOMPARE(p.shown(p.page->roomList(), 1), (QStringList{"大厅", "包间"}));
    QCOMPARE(p.page->roomFilter()->findText(QStringLiteral("雅座")), -1);
    QCOMPARE(p.page->roomFilter()->currentText(), QStringLiteral("显示全部"));
    QCOMPARE(p.page->tableList()->rowCount(), 3);
}

void TestCFjPage::tableDialogChecksInOrder_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("seats");
    QTest::addColumn<QString>("room");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::newRow("no name") << ""
                             << ""
                             << ""
                             << "餐桌名不能为空！"
                             << "name";
    QTest::newRow("no seats") << "T4"
                              << ""
                              << ""
                              << "座位数不能为空！"
                              << "seats";
    QTest::newRow("no guests") << "T4"
                               << "0"
                               << "大厅"
                               << "座位数请输入非零整数！"
                               << "seats";
    QTest::newRow("no room") << "T4"
                             << "4"
                             << ""
                             << "房间名不能为空！"
                             << "room";
    QTest::newRow("name taken") << "T2"
                                << "4"
                                << "包间"
                                << "已经存在此餐桌！"
                                << "name";
}

void TestCFjPage::tableDialogChecksInOrder()
{
    QFETCH(QString, name);
    QFETCH(QString, seats);
    QFETCH(QString, room);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    Page p;
    QString title;
    QWidget* focused = nullptr;
    QWidget* expected = nullptr;
    ModalHandler handler([&](QWidget* modal) {
        auto* dialog = qobject_cast<TableDialog*>(modal);
        QVERIFY(dialog);
        title = dialog->windowTitle();
        // Adding from 显示全部 chooses no room.
        QCOMPARE(dialog->roomBox()->currentIndex(), -1);
        QTest::keyClicks(dialog->nameEdit(), name);
        QTest::keyClicks(dialog->seatsEdit(), seats);
        dialog->roomBox()->setCurrentIndex(dialog->roomBox()->findText(room));
        QTest::keyClick(dialog->nameEdit(), Qt::Key_Return);
        focused = QApplication::focusWidget();
        expected = focus == "name"    ? static_cast<QWidget*>(dialog->nameEdit())
                   : focus == "seats" ? static_cast<QWidget*>(dialog->seatsEdit())
                                      : static_cast<QWidget*>(dialog->roomBox());
        QVERIFY(dialog->isVisible());
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    p.click(QStringLiteral("添加"), kTables);
    QCOMPARE(title, QStringLiteral("添加餐桌信息"));
    QCOMPARE(p.t.prompt.texts(), QStringList{message});
    QCOMPARE(focused, expected);
    QCOMPARE(p.t.scalar(QStringLiteral("select count(*) from cz")), QStringLiteral("3"));
    QCOMPARE(p.page->tableList()->rowCount(), 3);
}

void TestCFjPage::addedTableJoinsTheList()
{
    Page p;
    p.select(p.page->roomList(), QStringLiteral("2"));
    ModalHandler handler([](QWidget* modal) {
        auto* dialog = qobject_cast<TableDialog*>(modal);
        QVERIFY(dialog);
        // The room the page shows is chosen already.
        QCOMPARE(dialog->roomBox()->currentText(), QStringLiteral("包间"));
        QTest::keyClicks(dialog->nameEdit(), QStringLiteral("V1"));
        QTest::keyClick(dialog->nameEdit(), Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("8"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    p.click(QStringLiteral("添加"), kTables);
    QVERIFY(p.t.prompt.texts().isEmpty());
    QCOMPARE(p.t.scalar(QStringLiteral("select zzws||fjm||zyzt from cz where czm='V1'")),
             QStringLiteral("8包间空闲"));
    QCOMPARE(p.shown(p.page->tableList(), 0), (QStringList{"T3", "V1"}));
}

void TestCFjPage::batchThroughTheDialog_data()
{
    QTest::addColumn<bool>("before");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("mark before") << true << QStringList{"A1", "A2", "A3"};
    QTest::newRow("mark after") << false << QStringList{"1A", "2A", "3A"};
}

void TestCFjPage::batchThroughTheDialog()
{
    QFETCH(bool, before);
    QFETCH(QStringList, names);
    Page p;
    // A name that exists already is skipped and keeps its room and seats.
    p.t.exec(QStringLiteral("insert into cz(czm,zzws,fjm) values('%1',2,'大厅')").arg(names.at(1)));
    p.select(p.page->roomList(), QStringLiteral("1"));
    QString title;
    ModalHandler handler([&](QWidget* modal) {
        auto* dialog = qobject_cast<TableBatchDialog*>(modal);
        QVERIFY(dialog);
        title = dialog->windowTitle();
        QCOMPARE(QApplication::focusWidget(), dialog->fromEdit());
        QTest::keyClicks(dialog->fromEdit(), QStringLiteral("1"));
        QTest::keyClick(dialog->fromEdit(), Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("3"));
        QTest::keyClicks(dialog->markEdit(), QStringLiteral("A"));
        QTest::mouseClick(before ? dialog->beforeButton() : dialog->afterButton(), Qt::LeftButton);
        QTest::keyClicks(dialog->seatsEdit(), QStringLiteral("4"));
        dialog->roomBox()->setCurrentIndex(dialog->roomBox()->findText(QStringLiteral("包间")));
        QTest::keyClick(dialog->seatsEdit(), Qt::Key_Return);
    });
    p.click(QStringLiteral("批量添加"), kTables);
    QCOMPARE(title, QStringLiteral("批量添加房间"));
    QVERIFY(p.t.prompt.texts().isEmpty());
    QCOMPARE(p.values(QStringLiteral("select czm||zzws||fjm as x from cz where id>3 order by id"), "x"),
             (QStringList{names[1] + "2大厅", names[0] + "4包间", names[2] + "4包间"}));
    // Every room's tables, the new ones with them.
    QCOMPARE(p.page->roomFilter()->currentText(), QStringLiteral("显示全部"));
    QCOMPARE(p.shown(p.page->tableList(), 0), (QStringList{"T1", "T2", "T3", names[1], names[0], names[2]}));
}

void TestCFjPage::batchFocusGoesToTheFieldAtFault_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("seats");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("field");
    QTest::newRow("no start") << ""
                              << "3"
                              << "4"
                              << "范围不能为空！" << 0;
    QTest::newRow("no end") << "1"
                            << ""
                            << "4"
                            << "范围不能为空！" << 1;
    QTest::newRow("no guests") << "1"
                               << "3"
                               << "0"
                               << "座位数请输入非零整数！" << 2;
    QTest::newRow("no room") << "1"
                             << "3"
                             << "4"
                             << "房间名不能为空！" << 3;
}

void TestCFjPage::batchFocusGoesToTheFieldAtFault()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, seats);
    QFETCH(QString, message);
    QFETCH(int, field);
    Page p;
    bool focusRight = false;
    ModalHandler handler([&](QWidget* modal) {
        auto* dialog = qobject_cast<TableBatchDialog*>(modal);
        QVERIFY(dialog);
        QTest::keyClicks(dialog->fromEdit(), from);
        QTest::keyClicks(dialog->toEdit(), to);
        QTest::keyClicks(dialog->markEdit(), QStringLiteral("B"));
        QTest::keyClicks(dialog->seatsEdit(), seats);
        dialog->markEdit()->setFocus();
        QTest::keyClick(dialog->markEdit(), Qt::Key_Return);
        const QList<QWidget*> fields = {dialog->fromEdit(), dialog->toEdit(), dialog->seatsEdit(),
                                        dialog->roomBox()};
        focusRight = QApplication::focusWidget() == fields.at(field) && dialog->isVisible();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    p.click(QStringLiteral("批量添加"), kTables);
    QCOMPARE(p.t.prompt.texts(), QStringList{message});
    QVERIFY(focusRight);
    QCOMPARE(p.t.scalar(QStringLiteral("select count(*) from cz")), QStringLiteral("3"));
}

void TestCFjPage::usedTablesAreKept_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("dialogOpens");
    QTest::addColumn<QString>("message");
    QTest::newRow("occupied, change") << "占用"
                                      << "修改" << false << "此餐桌正在使用,不能修改!";
    QTest::newRow("occupied, delete") << "占用"
                                      << "删除" << false << "此餐桌正在使用,不能删除!";
    QTest::newRow("opened before, change") << "空闲"
                                           << "修改" << true << "此餐桌已经被使用,不能修改！";
    QTest::newRow("opened before, delete") << "空闲"
                                           << "删除" << false << "此餐桌已经被使用,不能删除！";
}

void TestCFjPage::usedTablesAreKept()
{
    QFETCH(QString, state);
    QFETCH(QString, button);
    QFETCH(bool, dialogOpens);
    QFETCH(QString, message);
    Page p;
    p.t.exec(QStringLiteral("update cz set zyzt='%1' where czm='T2'").arg(state));
    p.t.exec(QStringLiteral("insert into dj(djbh,czm,fjm,xfzt) values('1','T2','大厅','1')"));
    p.select(p.page->tableList(), QStringLiteral("T2"));
    ModalHandler handler([&](QWidget* modal) {
        auto* dialog = qobject_cast<TableDialog*>(modal);
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("修改餐桌信息"));
        QCOMPARE(dialog->seatsEdit()->text(), QStringLiteral("6"));
        QCOMPARE(dialog->roomBox()->currentText(), QStringLiteral("大厅"));
        replaceText(dialog->nameEdit(), QStringLiteral("T8"));
        QTest::keyClick(dialog->nameEdit(), Qt::Key_Return);
        QVERIFY(dialog->isVisible());
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    p.click(button, kTables);
    QTest::qWait(50);
    QCOMPARE(handler.handled(), dialogOpens);
    QCOMPARE(p.t.prompt.texts(), QStringList{message});
    QCOMPARE(p.values(QStringLiteral("select czm from cz order by id"), "czm"),
             (QStringList{"T1", "T2", "T3"}));
    QCOMPARE(p.shown(p.page->tableList(), 0), (QStringList{"T1", "T2", "T3"}));
}

PELVAR_TEST(TestCFjPage)
#include "tst_CFjPage.moc"
