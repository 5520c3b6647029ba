#include "CategoryDialog.h"
#include "Clock.h"
#include "CPrintListReportCtrl.h"
#include "CXmPage.h"
#include "DishCatalogue.h"
#include "DishDialog.h"
#include "FakeSpooler.h"
#include "Gbk.h"
#include "ModalDialogs.h"
#include "PinyinInitials.h"
#include "PrinterBox.h"
#include "SettingsPageFixture.h"
#include "TestMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using Answer = Prompt::Answer;
Q_DECLARE_METATYPE(Answer)

namespace {

// Categories 热菜 (in 厨房1), 特价 (no discount), 厨师's and 空类; dishes out of number order, 21 not
// for sale, 7 without unit or category; 宫保鸡丁 was ordered. The spooler knows 厨房2 and 厨房3.
struct Menu : SettingsPageFixture
{
    Menu()
    {
        // clang-format off
        t.exec(u"insert into lb (lbm, sfdz, dyjmc, dybt, dyfs, dyqz, qskh, jskh) values ('热菜', 1, '厨房1', '热菜单', 2, 1, 1, 3), "
               "('特价', 0, '', '', 1, 0, 0, 0), ('厨师''s', 1, '', '', 1, 0, 0, 0), ('空类', 1, '', '', 1, 0, 0, 0)"_s);
        t.exec(u"insert into xm (xmbh, xmm, xmpy, dj, jhdj, ckcb, kcsp, dw, lbm, sfdz, nfxs) values (12, '可乐330ml', 'KL330ML', "
               "5, 2, 2.5, 1, '听', '特价', 0, 1), (2, '红烧鲤鱼', 'HSLY', 58.5, 30, 0, 0, '条', '热菜', 1, 1), (21, '鳜鱼', 'GY', 88, "
               "0, 0, 0, '条', '热菜', 1, 0), (1, '宫保鸡丁', 'GBJD', 28, 0, 0, 0, '份', '热菜', 1, 1), (30, '大厨''s 凉菜', 'DCSLC', "
               "16, 0, 0, 0, '份', '厨师''s', 1, 1), (7, '米饭', 'MF', 2, 0, 0, 0, null, null, 1, 1)"_s);
        t.exec(u"insert into xfmx (czm, xfxm, jzbj) values ('A1', '宫保鸡丁', 1), ('A2', '宫保鸡丁', 0), ('A2', null, 1)"_s);
        // clang-format on
        spooler.printers[u"厨房2"_s];
        spooler.printers[u"厨房3"_s];
    }
    static QString numbers(const QList<QStringList>& rows)
    {
        QStringList numbers;
        for (const QStringList& row : rows)
            numbers << row.first();
        return numbers.join(u',');
    }
    QString value(const QString& statement) { return t.scalar(statement); }
    // The dishes and the categories, to show that a refused command changed nothing.
    QString state()
    {
        return value(u"select group_concat(xmbh||xmm||lbm||sfdz) from (select * from xm order by xmbh)"_s) +
               value(u"select group_concat(lbm||sfdz) from (select * from lb order by id)"_s);
    }
    CXmPage& page()
    {
        const auto gate = [this](const QString& name) {
            return [this, name] {
                checks << name;
                return allowed;
            };
        };
        xmPage = std::make_unique<CXmPage>(t.db, t.prompt, spooler, printer, u"张三"_s, gate(u"category"_s),
                                           gate(u"dish"_s));
        return *xmPage;
    }
    FakeSpooler spooler;
    DishSettings dishes{t.db, t.prompt};
    CategorySettings categories{t.db, t.prompt};
    std::unique_ptr<CXmPage> xmPage;
    QStringList checks;
    bool allowed = true;
};

} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Clock::clearFixed(); }
    void pinyin_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("initials");
        // clang-format off
        const char* const names[][2] = {{"宫保鸡丁", "GBJD"}, {"红烧鲤鱼", "HSLY"}, {"麻婆豆腐", "MPDF"}, {"饺子", "JZ"},
            {"鳜鱼", "GY"}, {"馄饨", "HT"}, {"可乐330ml", "KL330ML"}, {"a-b (c)", "A-B (C)"}, {"（大）", "（D）"}, {"", ""},
            {"齄", "Z"}, {"亻", "["}, {"亂a", "亂A"}, {"╞x╞", "╞X╞"}, {"😀鸡ሀb", "😀JሀB"}};
        // clang-format on
        for (const auto& [name, initials] : names)
            QTest::newRow(name) << QString(name) << QString(initials);
        // Each letter of the level-1 table starts at its code: the character before is the letter before's.
        const QString letters = u"ABCDEFGHJKLMNOPQRSTWXYZ"_s;
        const int from[] = {1601, 1637, 1833, 2078, 2274, 2302, 2433, 2594, 2787, 3106, 3212, 3472,
                            3635, 3722, 3730, 3858, 4027, 4086, 4390, 4558, 4684, 4925, 5249};
        const auto character = [](int code) {
            return Gbk::decode(QByteArray(1, char(0xA0 + code / 100)) + char(0xA0 + code % 100));
        };
        for (int i = 1; i < letters.size(); ++i)
            QTest::addRow("%d", from[i])
                << character(from[i]) + character(from[i] - 1) << QString(letters.at(i)) + letters.at(i - 1);
    }

    void pinyin()
    {
        QFETCH(QString, name);
        QTEST(GetPinyinInitials(name), "initials");
    }

    void pinyinOfTheFirstLevel2Row()
    {
        QString initials;
        for (int trail = 0xA1; trail <= 0xFE; ++trail)
            initials += GetPinyinInitials(Gbk::decode(QByteArray(1, char(0xD8)) + char(trail)));
        QCOMPARE(
            initials,
            u"CJWGNSPGCGNE[Y[BTYYZDXYKYGT[JNNJQMBSGZSCYJSYY[PGKBZGY[YWJKGKLJYWKPJQHY[W[DZLSGMRYPYWWCCKZNKYYG"_s);
    }

    void search_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("category");    // the category box instead of the search box
        QTest::addColumn<QString>("ordering"); // for sale, by initials or number
        QTest::addColumn<QString>("page");     // every dish
        // clang-format off
        QTest::newRow("empty") << "" << false << "1,2,7,12,30" << "1,2,7,12,21,30";
        QTest::newRow("initials, lower case") << "gbjd" << false << "1" << "1";
        QTest::newRow("inside the initials") << "l" << false << "2,12,30" << "2,12,30";
        QTest::newRow("not for sale") << "gy" << false << "" << "21";
        QTest::newRow("number or initials") << "1" << false << "1,12" << "1,12,21";
        QTest::newRow("initials beginning with it first") << "d" << false << "30,1" << "1,30";
        QTest::newRow("number beginning with it first") << "3" << false << "30,12" << "12,30";
        QTest::newRow("leading blanks") << "  hs" << false << "2" << "";
        QTest::newRow("quote and brackets") << "g'b[j]" << false << "1" << "";
        QTest::newRow("the name is not searched") << "鸡" << false << "" << "";
        QTest::newRow("category, not for sale too") << "热菜" << true << "2,21,1" << "1,2,21";
        QTest::newRow("category with a quote") << "厨师's" << true << "30" << "30";
        QTest::newRow("every category") << "显示全部" << true << "12,2,21,1,30,7" << "";
        // clang-format on
    }

    void search()
    {
        QFETCH(QString, text);
        QFETCH(bool, category);
        Menu m;
        DishCatalogue catalogue(m.t.db);
        QTEST(Menu::numbers(
                  catalogue.rows(category ? DishCatalogue::inCategory(text) : DishCatalogue::matching(text))),
              "ordering");
        QTEST(Menu::numbers(category ? m.dishes.inCategory(text) : m.dishes.search(text)), "page");
        // Money with two decimals.
        QCOMPARE(catalogue.rows(DishCatalogue::wholeCatalogue()).at(1).join(u'|'),
                 u"2|红烧鲤鱼|HSLY|58.50|条|热菜|允许"_s);
    }

    // Refusals change nothing. Commands: 0 add a dish, 1 change 红烧鲤鱼, 2 add a category, 3 change
    // 热菜, 4 remove a dish, 5 remove a category. Dish fields: number, name, unit, price; category
    // fields: name, copies. `input` names the field the dialog focuses, as the operation's Input.
    void checks_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("input");
        const char* const number = "项目编号非法,应为不为零的数字";
        // clang-format off
        QTest::newRow("number abc, first") << 0 << QStringList{"abc", "", "", ""} << number << 1;
        QTest::newRow("no name") << 0 << QStringList{"9", "", "份", "1"} << "项目名不能为空" << 2;
        QTest::newRow("no unit") << 0 << QStringList{"9", "新菜", "", "1"} << "单位不能为空" << 3;
        QTest::newRow("price below a cent") << 0 << QStringList{"9", "新菜", "份", "0.004"} << "单价请输入非零数字!" << 4;
        QTest::newRow("dish name exists") << 0 << QStringList{"9", "米饭", "份", "2"} << "已经存在此项目!" << 2;
        QTest::newRow("dish number exists") << 0 << QStringList{"1", "新菜", "份", "2"} << "项目编号重复!" << 1;
        QTest::newRow("renamed to a dish") << 1 << QStringList{"2", "米饭", "份", "2"} << "已经存在此项目!" << 2;
        QTest::newRow("renumbered to a dish") << 1 << QStringList{"1", "红烧鲤鱼", "份", "2"} << "项目编号重复!" << 1;
        QTest::newRow("no category name") << 2 << QStringList{"", "0"} << "请输入类别名!" << 1;
        QTest::newRow("no copies") << 2 << QStringList{"凉菜", ""} << "打印份数必须大于零!" << 3;
        QTest::newRow("category exists") << 2 << QStringList{"特价", "1"} << "已经存在此类别,请新输入!" << 2;
        QTest::newRow("renamed to a category") << 3 << QStringList{"特价", "1"} << "已经存在此类别!" << 1;
        QTest::newRow("no dish selected") << 4 << QStringList{""} << "请选定要删除的项目!" << 0;
        QTest::newRow("dish ever ordered") << 4 << QStringList{"宫保鸡丁"} << "此项目已经被消费过,不能删除！" << 0;
        QTest::newRow("dish removal, answered No") << 4 << QStringList{"米饭"} << "你真的删除此项目吗,删除后不可恢复?" << 0;
        QTest::newRow("no category selected") << 5 << QStringList{""} << "请选定要删除的类别!" << 0;
        QTest::newRow("category with dishes") << 5 << QStringList{"特价"} << "此类别中已设有项目,不能删除！" << 0;
        // clang-format on
    }

    void checks()
    {
        QFETCH(int, command);
        QFETCH(QStringList, fields);
        Menu m;
        const QString before = m.state();
        int input = 0;
        if (command < 2) {
            DishSettings::Dish d;
            d.number = fields.at(0), d.name = fields.at(1), d.unit = fields.at(2), d.price = fields.at(3);
            const auto result = command == 0 ? m.dishes.add(d) : m.dishes.change(u"红烧鲤鱼"_s, d);
            input = result ? -1 : int(result.input);
        } else if (command < 4) {
            CategorySettings::Category c;
            c.name = fields.at(0), c.copies = fields.at(1);
            const auto result = command == 2 ? m.categories.add(c) : m.categories.change(u"热菜"_s, c);
            input = result ? -1 : int(result.input);
        } else {
            QVERIFY(!(command == 4 ? m.dishes.remove(fields.at(0)) : m.categories.remove(fields.at(0))));
        }
        QTEST(input, "input");
        QTEST(m.t.prompt.texts().join(u'\n'), "message");
        QCOMPARE(m.state(), before);
    }

    void dishWrites()
    {
        Menu m;
        QCOMPARE(m.dishes.blank().number + m.dishes.blank().unit, u"31份"_s);
        DishSettings::Dish d{u"40.9"_s, u"O'Neil's 鸡"_s, u"ONSJ"_s, u"12.345"_s, u"6元"_s, QString(),
                             u"份"_s,   u"特价"_s,        true,      u"20"_s,     true,     false};
        QVERIFY(m.dishes.add(d));
        // Numbers are stored as numbers; a category without discount admits no dish with discount.
        QCOMPARE(m.value(u"select printf('%s|%s|%s|%s|%s|%s|%s|%s|', xmbh, xmm, dj, jhdj, ckcb, dqkc, nfxs, "
                         "sfdz)||typeof(jhdj) from xm where xmbh=40"_s) +
                     m.dishes.read(u"O'Neil's 鸡"_s).stock,
                 u"40|O'Neil's 鸡|12.35|6.0|0.0|20.0|0|0|real20.00"_s);
        // A changed dish keeps its own number, and every line, settled or not, follows its new name.
        d = m.dishes.read(u"宫保鸡丁"_s);
        d.name = u"宫保鸡丁(大)"_s;
        QVERIFY(m.dishes.change(u"宫保鸡丁"_s, d));
        QCOMPARE(
            m.value(u"select group_concat(xfxm)||(select xmbh from xm where xmm='宫保鸡丁(大)') from xfmx"_s),
            u"宫保鸡丁(大),宫保鸡丁(大)1"_s);
        m.t.exec(u"create trigger refuse before update on xfmx begin select raise(abort, 'x'); end"_s);
        d.name = u"宫保鸡丁"_s;
        QVERIFY(!m.dishes.change(u"宫保鸡丁(大)"_s, d));
        QCOMPARE(m.t.prompt.texts().join(QString()) + m.value(u"select xmm from xm where xmbh=1"_s),
                 u"更改失败!宫保鸡丁(大)"_s);
        // A line of no name shields no other dish from removal.
        m.t.prompt.fallback = Answer::Yes;
        QVERIFY(m.dishes.remove(u"米饭"_s));
        // Renumbering keeps the order, all numbers unique at every step.
        m.t.exec(u"update xm set xmbh=-3 where xmbh=21"_s);
        QVERIFY(m.dishes.renumber());
        QCOMPARE(m.t.prompt.last(), u"你真的要重算编号吗?重算后项目编号从1开始累计"_s);
        QCOMPARE(m.value(u"select group_concat(xmbh||xmm) from (select * from xm order by xmbh)"_s),
                 u"1鳜鱼,2宫保鸡丁(大),3红烧鲤鱼,4可乐330ml,5大厨's 凉菜,6O'Neil's 鸡"_s);
    }

    void categoryWrites()
    {
        Menu m;
        QVERIFY(
            m.categories.add({u"厨师'菜"_s, false, u"厨房2"_s, u"标题'"_s, u"3"_s, u"2"_s, u"4"_s, true}));
        const CategorySettings::Category read = m.categories.read(u"厨师'菜"_s);
        QCOMPARE(m.categories.rows().last().join(u'|') + read.title + read.copies + read.blankLinesBefore +
                     read.blankLinesAfter + QString::number(read.cut),
                 u"5|厨师'菜|不允许|厨房2标题'3241"_s);
        // The dishes follow their category's new name and discount flag, all or nothing.
        CategorySettings::Category hot = m.categories.read(u"热菜"_s);
        hot.name = u"炒菜"_s;
        hot.discountAllowed = false;
        QVERIFY(m.categories.change(u"热菜"_s, hot));
        QCOMPARE(m.value(u"select group_concat(lbm||sfdz) from xm where xmbh in (1, 2, 21)"_s),
                 u"炒菜0,炒菜0,炒菜0"_s);
        m.t.exec(u"create trigger refuse before update on xm begin select raise(abort, 'x'); end"_s);
        hot.name = u"热菜"_s;
        QVERIFY(!m.categories.change(u"炒菜"_s, hot));
        QVERIFY(m.categories.remove(u"空类"_s));
        QCOMPARE(m.t.prompt.texts(), QStringList{u"更改失败!"_s}); // a removal asks nothing
        QCOMPARE(m.value(u"select group_concat(lbm) from (select lbm from lb order by id)"_s),
                 u"炒菜,特价,厨师's,厨师'菜"_s);
    }

    void pageCommandsPassTheirGate_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("gate");
        for (const char* text : {"添加", "删除", "修改"})
            QTest::addRow("category %s", text) << text << "category";
        // Printing and export show purchase prices and costs.
        for (const char* text : {"添加", "删除", "修改", "重算编号", "打印", "导出"})
            QTest::addRow("dish %s", text) << text << "dish";
    }

    void pageCommandsPassTheirGate()
    {
        QFETCH(QString, button);
        QFETCH(QString, gate);
        Menu m;
        CXmPage& page = m.page();
        page.categoryList()->selectRow(0);
        page.dishList()->selectRow(0);
        m.allowed = false;
        m.t.prompt.fallback = Answer::Yes;
        const QString before = m.state();
        bool opened = false;
        QTimer::singleShot(0, [&opened] {
            opened = QApplication::activeModalWidget() && QApplication::activeModalWidget()->close();
        });
        QTest::mouseClick(gate == u"dish"_s ? page.dishButton(button) : page.categoryButton(button),
                          Qt::LeftButton);
        QCoreApplication::processEvents();
        QVERIFY(!opened && m.t.prompt.texts().isEmpty());
        QCOMPARE(m.checks, QStringList{gate});
        QCOMPARE(m.state(), before);
    }

    // One path through the page's dish and category dialogs.
    void dialogs()
    {
        Clock::setFixed(QDateTime(QDate(2026, 12, 6), QTime(9, 5, 3)));
        Menu m;
        CXmPage& page = m.page();
        page.categoryList()->selectRow(1); // 特价: no discount
        QStringList seen;
        whenModal([&seen](QWidget* modal) {
            auto* dialog = qobject_cast<DishDialog*>(modal);
            seen << dialog->windowTitle() << dialog->numberEdit()->text() << dialog->unitBox()->currentText();
            seen << QString::number(dialog->discountBox()->isEnabled());
            QTest::keyClick(dialog->categoryBox(), Qt::Key_Up); // 热菜
            seen << QString::number(dialog->discountBox()->isEnabled());
            QTest::keyClick(dialog->categoryBox(), Qt::Key_Down);
            typeIn(dialog->nameEdit(), u"干煸牛肉"_s);
            QTest::keyClick(dialog->nameEdit(), Qt::Key_Tab);
            seen << dialog->pinyinEdit()->text();
            dialog->priceEdit()->setText(u"38"_s);
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        QTest::mouseClick(page.dishButton(u"添加"_s), Qt::LeftButton);
        QCOMPARE(seen, (QStringList{"添加项目信息", "31", "份", "0", "1", "GBNR"}));
        QCOMPARE(m.value(u"select xmbh||xmpy||lbm||sfdz||dj from xm where xmm='干煸牛肉'"_s),
                 u"31GBNR特价038.0"_s);
        QCOMPARE(page.dishList()->cellText(1, DishSettings::Price), u"38.00"_s); // with its category's dishes
        // The printed list carries its title, the time and the operator.
        whenModal([](QWidget* preview) { preview->close(); });
        QTest::mouseClick(page.dishButton(u"打印"_s), Qt::LeftButton);
        QCOMPARE(page.dishList()->content().title + page.dishList()->content().subtitle,
                 u"项目明细报表打印时间:2026年12月6日 9时5分3秒              操作员:张三"_s);

        page.categoryList()->selectRow(0); // 热菜 prints in 厨房1, which the spooler does not know now
        QStringList offered;
        whenModal([&offered](QWidget* modal) {
            auto* dialog = qobject_cast<CategoryDialog*>(modal);
            for (int i = 0; i < dialog->printerBox()->count(); ++i)
                offered << dialog->printerBox()->itemText(i);
            offered << dialog->windowTitle() + u' ' + dialog->printerBox()->currentText();
            dialog->nameEdit()->setText(u"热炒"_s);
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        QTest::mouseClick(page.categoryButton(u"修改"_s), Qt::LeftButton);
        QCOMPARE(offered, (QStringList{"此类项目不打印到后厨", "厨房2", "厨房3", "厨房1（未找到）",
                                       "修改类别信息 厨房1（未找到）"}));
        QCOMPARE(m.value(u"select lbm||dyjmc from lb where id=1"_s), u"热炒厨房1"_s);
    }
};

PELVAR_TEST(TestCatalogue)
#include "tst_Catalogue.moc"
