#include "DishSettings.h"
#include "Sql.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <QTest>

using Input = DishSettings::Input;
Q_DECLARE_METATYPE(DishSettings::Input)

class TestDishSettings : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void nextNumber();
    void listsAndSearch_data();
    void listsAndSearch();
    void rowsFollowTheListsColumns();
    void checks_data();
    void checks();
    void addStoresNumbersAsNumbers();
    void categoryWithoutDiscountAdmitsNone();
    void renameCascadesIntoPastLines();
    void changeKeepingItsOwnNumber();
    void changeIsAllOrNothing();
    void removal_data();
    void removal();
    void renumber_data();
    void renumber();
    void renumberAnsweredNo();

private:
    void addDish(int number, const QString& name);
    QStringList column(const QString& statement);
    DishSettings::Dish dish(const QString& number, const QString& name);

    TestDatabase* m_t = nullptr;
    DishSettings* m_dishes = nullptr;
};

void TestDishSettings::init()
{
    m_t = new TestDatabase;
    m_dishes = new DishSettings(m_t->db, m_t->prompt);
    m_t->exec(QStringLiteral("insert into lb (lbm, sfdz) values ('热菜', '1'), ('特价', '0')"));
}

void TestDishSettings::cleanup()
{
    delete m_dishes;
    delete m_t;
}

void TestDishSettings::addDish(int number, const QString& name)
{
    m_t->exec(QStringLiteral(
                  "insert into xm (xmbh, xmm, xmpy, dj, dw, lbm) values (%1, %2, 'PY', 10, '份', '热菜')")
                  .arg(QString::number(number), Sql::quote(name)));
}

QStringList TestDishSettings::column(const QString& statement)
{
    QStringList values;
    Recordset rs = m_t->db.query(statement);
    for (; !rs.isEOF(); rs.moveNext())
        values << rs.value(0).toString();
    return values;
}

DishSettings::Dish TestDishSettings::dish(const QString& number, const QString& name)
{
    DishSettings::Dish d;
    d.number = number;
    d.name = name;
    d.pinyin = QStringLiteral("X");
    d.price = QStringLiteral("12.5");
    d.category = QStringLiteral("热菜");
    return d;
}

void TestDishSettings::nextNumber()
{
    QCOMPARE(m_dishes->blank().number, QStringLiteral("1"));
    QCOMPARE(m_dishes->blank().unit, QStringLiteral("份"));
    addDish(7, QStringLiteral("米饭"));
    addDish(3, QStringLiteral("面条"));
    QCOMPARE(m_dishes->blank().number, QStringLiteral("8"));
}

void TestDishSettings::listsAndSearch_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("numbers");
    QTest::newRow("all by number") << "all"
                                   << "" << QStringList{"2", "5", "12", "31"};
    QTest::newRow("category") << "category"
                              << "特价" << QStringList{"12"};
    QTest::newRow("initials, not for sale too") << "search"
                                                << "GB" << QStringList{"2", "31"};
    QTest::newRow("number") << "search"
                            << "12" << QStringList{"12"};
    QTest::newRow("inside the number") << "search"
                                       << "1" << QStringList{"12", "31"};
    QTest::newRow("quotes removed") << "search"
                                    << "g'b" << QStringList{"2", "31"};
}

void TestDishSettings::listsAndSearch()
{
    QFETCH(QString, how);
    QFETCH(QString, text);
    QFETCH(QStringList, numbers);
    m_t->exec(QStringLiteral(
        "insert into xm (xmbh, xmm, xmpy, lbm, nfxs) values (31, '宫爆虾', 'GBX', '热菜', '0'), "
        "(12, '可乐', 'KL', '特价', '1'), (2, '宫保鸡丁', 'GBJD', '热菜', '1'), "
        "(5, '米饭', 'MF', '热菜', '1')"));
    const QList<QStringList> rows = how == QLatin1String("all")        ? m_dishes->all()
                                    : how == QLatin1String("category") ? m_dishes->inCategory(text)
                                                                       : m_dishes->search(text);
    QStringList found;
    for (const QStringList& row : rows)
        found << row.at(DishSettings::Number);
    QCOMPARE(found, numbers);
}

void TestDishSettings::rowsFollowTheListsColumns()
{
    m_t->exec(
        QStringLiteral("insert into xm (xmbh, xmm, xmpy, dj, jhdj, ckcb, kcsp, nfxs, dw, lbm, sfdz) values "
                       "(1, '啤酒', 'PJ', 8, 3.5, 4, '1', '0', '瓶', '酒水', '0'), "
                       "(2, '米饭', 'MF', 2, 0, 0, '0', '1', '碗', '主食', '1')"));
    const QList<QStringList> rows = m_dishes->all();
    QCOMPARE(rows.at(0),
             QStringList({"1", "啤酒", "PJ", "8", "3.5", "4", "是", "停用", "瓶", "酒水", "不允许"}));
    QCOMPARE(rows.at(1), QStringList({"2", "米饭", "MF", "2", "0", "0", "否", "可用", "碗", "主食", "允许"}));
    QCOMPARE(DishSettings::kColumns.split(QLatin1Char(';')).size(), int(DishSettings::ColumnCount));
}

void TestDishSettings::checks_data()
{
    QTest::addColumn<bool>("adding");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("message");
    QTest::addColumn<Input>("input");
    QTest::newRow("number zero, first") << true << "0"
                                        << ""
                                        << ""
                                        << ""
                                        << "项目编号非法,应为不为零的数字" << Input::Number;
    QTest::newRow("number not a number") << true << "abc"
                                         << "新菜"
                                         << "份"
                                         << "1"
                                         << "项目编号非法,应为不为零的数字" << Input::Number;
    QTest::newRow("no name") << true << "9"
                             << ""
                             << ""
                             << ""
                             << "项目名不能为空" << Input::Name;
    QTest::newRow("no unit") << true << "9"
                             << "新菜"
                             << ""
                             << ""
                             << "单位不能为空" << Input::Unit;
    QTest::newRow("no price") << true << "9"
                              << "新菜"
                              << "份"
                              << ""
                              << "单价请输入非零数字!" << Input::Price;
    QTest::newRow("price below a cent") << true << "9"
                                        << "新菜"
                                        << "份"
                                        << "0.004"
                                        << "单价请输入非零数字!" << Input::Price;
    QTest::newRow("name exists") << true << "9"
                                 << "米饭"
                                 << "份"
                                 << "2"
                                 << "已经存在此项目!" << Input::Name;
    QTest::newRow("number exists") << true << "1"
                                   << "新菜"
                                   << "份"
                                   << "2"
                                   << "项目编号重复!" << Input::Number;
    QTest::newRow("renamed to an existing name") << false << "2"
                                                 << "米饭"
                                                 << "份"
                                                 << "2"
                                                 << "已经存在此项目!" << Input::Name;
    QTest::newRow("renumbered to an existing number") << false << "1"
                                                      << "面条"
                                                      << "份"
                                                      << "2"
                                                      << "项目编号重复!" << Input::Number;
}

void TestDishSettings::checks()
{
    QFETCH(bool, adding);
    QFETCH(QString, number);
    QFETCH(QString, name);
    QFETCH(QString, unit);
    QFETCH(QString, price);
    QFETCH(QString, message);
    QFETCH(Input, input);
    addDish(1, QStringLiteral("米饭"));
    addDish(2, QStringLiteral("面条"));
    DishSettings::Dish d = dish(number, name);
    d.unit = unit;
    d.price = price;
    const DishSettings::Result result =
        adding ? m_dishes->add(d) : m_dishes->change(QStringLiteral("面条"), d);
    QVERIFY(!result);
    QCOMPARE(result.input, input);
    QCOMPARE(m_t->prompt.texts(), QStringList{message});
    QCOMPARE(column(QStringLiteral("select xmbh || xmm from xm order by xmbh")),
             QStringList({"1米饭", "2面条"}));
}

void TestDishSettings::addStoresNumbersAsNumbers()
{
    DishSettings::Dish d = dish(QStringLiteral("3.9"), QStringLiteral("O'Neil's 鸡"));
    d.price = QStringLiteral("12.345");
    d.purchasePrice = QStringLiteral("6元");
    d.referenceCost = QString();
    d.stockItem = true;
    d.stock = QStringLiteral("20");
    d.forSale = false;
    QVERIFY(m_dishes->add(d));
    QCOMPARE(m_t->prompt.texts(), QStringList());
    QCOMPARE(column(QStringLiteral(
                 "select xmbh||'|'||xmm||'|'||dj||'|'||jhdj||'|'||ckcb||'|'||kcsp||'|'||dqkc||'|'||"
                 "nfxs||'|'||sfdz||'|'||typeof(jhdj) from xm")),
             QStringList{"3|O'Neil's 鸡|12.35|6.0|0.0|1|20.0|0|1|real"});
    const DishSettings::Dish read = m_dishes->read(QStringLiteral("O'Neil's 鸡"));
    QCOMPARE(read.number, QStringLiteral("3"));
    QCOMPARE(read.price, QStringLiteral("12.35"));
    QCOMPARE(read.stock, QStringLiteral("20.00"));
    QCOMPARE(read.stockItem, true);
    QCOMPARE(read.forSale, false);
}

void TestDishSettings::categoryWithoutDiscountAdmitsNone()
{
    QCOMPARE(m_dishes->categories().size(), 2);
    QCOMPARE(m_dishes->categories().at(1).name, QStringLiteral("特价"));
    QCOMPARE(m_dishes->categories().at(1).discountAllowed, false);
    QCOMPARE(m_dishes->categories().at(0).discountAllowed, true);

    DishSettings::Dish d = dish(QStringLiteral("1"), QStringLiteral("可乐"));
    d.category = QStringLiteral("特价");
    d.discountAllowed = true;
    QVERIFY(m_dishes->add(d));
    QCOMPARE(m_t->scalar(QStringLiteral("select sfdz from xm")), QStringLiteral("0"));
    d.category = QStringLiteral("热菜");
    QVERIFY(m_dishes->change(QStringLiteral("可乐"), d));
    QCOMPARE(m_t->scalar(QStringLiteral("select sfdz from xm")), QStringLiteral("1"));
}

void TestDishSettings::renameCascadesIntoPastLines()
{
    addDish(1, QStringLiteral("米饭"));
    addDish(2, QStringLiteral("面条"));
    m_t->exec(
        QStringLiteral("insert into xfmx (czm, xfxm, jzbj) values ('A1', '米饭', '1'), ('A1', '面条', '1'), "
                       "('A2', '米饭', '0')"));
    QVERIFY(m_dishes->change(QStringLiteral("米饭"), dish(QStringLiteral("1"), QStringLiteral("白米饭"))));
    QCOMPARE(m_t->prompt.texts(), QStringList());
    QCOMPARE(column(QStringLiteral("select xfxm from xfmx order by xfbh")),
             QStringList({"白米饭", "面条", "白米饭"}));
    QCOMPARE(column(QStringLiteral("select xmm from xm order by xmbh")), QStringList({"白米饭", "面条"}));
}

void TestDishSettings::changeKeepingItsOwnNumber()
{
    addDish(1, QStringLiteral("米饭"));
    addDish(2, QStringLiteral("面条"));
    DishSettings::Dish d = m_dishes->read(QStringLiteral("面条"));
    d.price = QStringLiteral("9");
    QVERIFY(m_dishes->change(QStringLiteral("面条"), d));
    d.number = QStringLiteral("5");
    QVERIFY(m_dishes->change(QStringLiteral("面条"), d));
    QCOMPARE(m_t->prompt.texts(), QStringList());
    QCOMPARE(column(QStringLiteral("select xmbh||xmm||dj from xm order by xmbh")),
             QStringList({"1米饭10.0", "5面条9.0"}));
}

void TestDishSettings::changeIsAllOrNothing()
{
    addDish(1, QStringLiteral("米饭"));
    m_t->exec(QStringLiteral("insert into xfmx (czm, xfxm) values ('A1', '米饭')"));
    m_t->exec(QStringLiteral(
        "create trigger refuse_xfmx before update on xfmx begin select raise(abort, 'x'); end"));
    QVERIFY(!m_dishes->change(QStringLiteral("米饭"), dish(QStringLiteral("1"), QStringLiteral("白米饭"))));
    QCOMPARE(m_t->prompt.texts(), QStringList{"更改失败!"});
    QCOMPARE(m_t->scalar(QStringLiteral("select xmm from xm")), QStringLiteral("米饭"));
}

void TestDishSettings::removal_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Prompt::Answer>("answer");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("left");
    const QString question = QStringLiteral("你真的删除此项目吗,删除后不可恢复?");
    QTest::newRow("none selected") << "" << Prompt::Answer::Yes << QStringList{"请选定要删除的项目!"}
                                   << QStringList{"米饭", "面条"};
    QTest::newRow("ever ordered") << "米饭" << Prompt::Answer::Yes
                                  << QStringList{"此项目已经被消费过,不能删除！"}
                                  << QStringList{"米饭", "面条"};
    QTest::newRow("answered no") << "面条" << Prompt::Answer::No << QStringList{question}
                                 << QStringList{"米饭", "面条"};
    QTest::newRow("answered yes") << "面条" << Prompt::Answer::Yes << QStringList{question}
                                  << QStringList{"米饭"};
}

void TestDishSettings::removal()
{
    QFETCH(QString, name);
    QFETCH(Prompt::Answer, answer);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, left);
    addDish(1, QStringLiteral("米饭"));
    addDish(2, QStringLiteral("面条"));
    // A line without a dish name must not shield every other dish.
    m_t->exec(
        QStringLiteral("insert into xfmx (czm, xfxm, jzbj) values ('A1', '米饭', '1'), ('A1', null, '1')"));
    m_t->prompt.answer(answer);
    QCOMPARE(m_dishes->remove(name), left.size() == 1);
    QCOMPARE(m_t->prompt.texts(), messages);
    QCOMPARE(column(QStringLiteral("select xmm from xm order by xmbh")), left);
}

void TestDishSettings::renumber_data()
{
    QTest::addColumn<QList<int>>("numbers");
    QTest::newRow("gaps") << QList<int>{5, 9, 12};
    QTest::newRow("already dense but shifted") << QList<int>{2, 3, 4};
    QTest::newRow("negative and positive") << QList<int>{-1, 1, 2};
    QTest::newRow("large") << QList<int>{1000000, 7, -3};
}

void TestDishSettings::renumber()
{
    QFETCH(QList<int>, numbers);
    // Inserted in reverse so that the order by number differs from the insertion order.
    for (int i = int(numbers.size()) - 1; i >= 0; --i)
        addDish(numbers.at(i), QStringLiteral("菜%1").arg(numbers.at(i)));
    QList<int> sorted = numbers;
    std::sort(sorted.begin(), sorted.end());
    QStringList expected;
    for (int i = 0; i < sorted.size(); ++i)
        expected << QStringLiteral("%1菜%2").arg(i + 1).arg(sorted.at(i));
    m_t->exec(QStringLiteral("insert into xfmx (czm, xfxm) values ('A1', '菜%1')").arg(numbers.at(0)));

    m_t->prompt.answer(Prompt::Answer::Yes);
    QVERIFY(m_dishes->renumber());
    QCOMPARE(m_t->prompt.texts(), QStringList{"你真的要重算编号吗?重算后项目编号从1开始累计"});
    QCOMPARE(column(QStringLiteral("select xmbh||xmm from xm order by xmbh")), expected);
    QCOMPARE(m_t->scalar(QStringLiteral("select xfxm from xfmx")), QStringLiteral("菜%1").arg(numbers.at(0)));
}

void TestDishSettings::renumberAnsweredNo()
{
    addDish(5, QStringLiteral("米饭"));
    QVERIFY(!m_dishes->renumber());
    QCOMPARE(m_t->scalar(QStringLiteral("select xmbh from xm")), QStringLiteral("5"));
}

PELVAR_TEST(TestDishSettings)
#include "tst_DishSettings.moc"
