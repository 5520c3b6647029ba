#include "CategorySettings.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <QTest>

using Input = CategorySettings::Input;
Q_DECLARE_METATYPE(CategorySettings::Input)

class TestCategorySettings : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void printerChoices();
    void checks_data();
    void checks();
    void addStoresTheDialogsFields();
    void discountFlagCascadesToTheDishes();
    void renameCascadesToTheDishes();
    void renameToAnotherCategorysNameIsRefused();
    void changeIsAllOrNothing();
    void removal_data();
    void removal();

private:
    QString dishes(const QString& column);

    TestDatabase* m_t = nullptr;
    CategorySettings* m_categories = nullptr;
};

void TestCategorySettings::init()
{
    m_t = new TestDatabase;
    m_categories = new CategorySettings(m_t->db, m_t->prompt);
    m_t->exec(QStringLiteral("insert into lb (lbm, sfdz, dyjmc, dybt, dyfs, dyqz, qskh, jskh) values "
                             "('热菜', '1', 'kitchen', '热菜单', '2', '1', '1', '3'), "
                             "('酒水', '1', '此类项目不打印到后厨', '', '1', '0', '0', '0'), "
                             "('空类', '0', '', '', '1', '0', '0', '0')"));
    m_t->exec(QStringLiteral("insert into xm (xmbh, xmm, lbm, sfdz) values (1, '宫保鸡丁', '热菜', '1'), "
                             "(2, '鱼香肉丝', '热菜', '0'), (3, '啤酒', '酒水', '1')"));
}

void TestCategorySettings::cleanup()
{
    delete m_categories;
    delete m_t;
}

QString TestCategorySettings::dishes(const QString& column)
{
    QStringList values;
    Recordset rs = m_t->db.query(QStringLiteral("select %1 from xm order by xmbh").arg(column));
    for (; !rs.isEOF(); rs.moveNext())
        values << rs.value(0).toString();
    return values.join(QLatin1Char(','));
}

void TestCategorySettings::printerChoices()
{
    const QStringList choices =
        CategorySettings::printerChoices({QStringLiteral("kitchen"), QStringLiteral("bar")});
    QCOMPARE(choices, QStringList({"此类项目不打印到后厨", "kitchen", "bar"}));
    QCOMPARE(CategorySettings::printerIndex(choices, QStringLiteral("bar")), 2);
    QCOMPARE(CategorySettings::printerIndex(choices, QStringLiteral("gone")), 0);
    QCOMPARE(CategorySettings::printerIndex(choices, QString()), 0);
}

void TestCategorySettings::checks_data()
{
    QTest::addColumn<bool>("adding");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("copies");
    QTest::addColumn<QString>("message");
    QTest::addColumn<Input>("input");
    QTest::newRow("no name") << true << ""
                             << "0"
                             << "请输入类别名!" << Input::Name;
    QTest::newRow("no copies") << true << "凉菜"
                               << ""
                               << "打印份数必须大于零!" << Input::Copies;
    QTest::newRow("zero copies") << true << "凉菜"
                                 << "0"
                                 << "打印份数必须大于零!" << Input::Copies;
    QTest::newRow("negative copies") << true << "凉菜"
                                     << "-1"
                                     << "打印份数必须大于零!" << Input::Copies;
    QTest::newRow("adding an existing name") << true << "酒水"
                                             << "1"
                                             << "已经存在此类别,请新输入!" << Input::NameCleared;
    QTest::newRow("renaming to an existing name") << false << "酒水"
                                                  << "1"
                                                  << "已经存在此类别!" << Input::Name;
    QTest::newRow("change without a name") << false << ""
                                           << "1"
                                           << "请输入类别名!" << Input::Name;
}

void TestCategorySettings::checks()
{
    QFETCH(bool, adding);
    QFETCH(QString, name);
    QFETCH(QString, copies);
    QFETCH(QString, message);
    QFETCH(Input, input);
    CategorySettings::Category category;
    category.name = name;
    category.copies = copies;
    const CategorySettings::Result result =
        adding ? m_categories->add(category) : m_categories->change(QStringLiteral("热菜"), category);
    QVERIFY(!result);
    QCOMPARE(result.input, input);
    QCOMPARE(m_t->prompt.texts(), QStringList{message});
    QCOMPARE(m_categories->rows().size(), 3);
    QCOMPARE(m_categories->rows().at(0).at(CategorySettings::Name), QStringLiteral("热菜"));
}

void TestCategorySettings::addStoresTheDialogsFields()
{
    const CategorySettings::Category added{QStringLiteral("厨师's菜"), false,
                                           QStringLiteral("bar"),      QStringLiteral("标题'"),
                                           QStringLiteral("3"),        QStringLiteral("2"),
                                           QStringLiteral("4"),        true};
    QVERIFY(m_categories->add(added));
    QCOMPARE(m_t->prompt.texts(), QStringList());
    QCOMPARE(m_categories->rows().last(), QStringList({"4", "厨师's菜", "不允许", "bar"}));
    const CategorySettings::Category read = m_categories->read(QStringLiteral("厨师's菜"));
    QCOMPARE(read.name, added.name);
    QCOMPARE(read.discountAllowed, false);
    QCOMPARE(read.printer, QStringLiteral("bar"));
    QCOMPARE(read.title, QStringLiteral("标题'"));
    QCOMPARE(read.copies, QStringLiteral("3"));
    QCOMPARE(read.blankLinesBefore, QStringLiteral("2"));
    QCOMPARE(read.blankLinesAfter, QStringLiteral("4"));
    QCOMPARE(read.cut, true);

    // A category that prints nowhere stores the box's first entry.
    QVERIFY(m_categories->add({QStringLiteral("凉菜"),
                               true,
                               CategorySettings::kNoKitchenPrinter,
                               {},
                               QStringLiteral("1"),
                               QStringLiteral("0"),
                               QStringLiteral("0"),
                               false}));
    QCOMPARE(m_categories->rows().last(), QStringList({"5", "凉菜", "允许", "此类项目不打印到后厨"}));
}

void TestCategorySettings::discountFlagCascadesToTheDishes()
{
    CategorySettings::Category category = m_categories->read(QStringLiteral("热菜"));
    category.discountAllowed = false;
    QVERIFY(m_categories->change(QStringLiteral("热菜"), category));
    QCOMPARE(dishes(QStringLiteral("sfdz")), QStringLiteral("0,0,1"));

    category.discountAllowed = true;
    QVERIFY(m_categories->change(QStringLiteral("热菜"), category));
    QCOMPARE(dishes(QStringLiteral("sfdz")), QStringLiteral("1,1,1"));
    QCOMPARE(m_t->prompt.texts(), QStringList());
    QCOMPARE(m_categories->rows().at(0), QStringList({"1", "热菜", "允许", "kitchen"}));
}

void TestCategorySettings::renameCascadesToTheDishes()
{
    CategorySettings::Category category = m_categories->read(QStringLiteral("热菜"));
    category.name = QStringLiteral("炒菜");
    category.printer = QStringLiteral("bar");
    QVERIFY(m_categories->change(QStringLiteral("热菜"), category));
    QCOMPARE(dishes(QStringLiteral("lbm")), QStringLiteral("炒菜,炒菜,酒水"));
    QCOMPARE(m_categories->rows().at(0), QStringList({"1", "炒菜", "允许", "bar"}));
    QCOMPARE(m_categories->read(QStringLiteral("炒菜")).title, QStringLiteral("热菜单"));
}

void TestCategorySettings::renameToAnotherCategorysNameIsRefused()
{
    CategorySettings::Category category = m_categories->read(QStringLiteral("热菜"));
    category.name = QStringLiteral("酒水");
    QVERIFY(!m_categories->change(QStringLiteral("热菜"), category));
    QCOMPARE(dishes(QStringLiteral("lbm")), QStringLiteral("热菜,热菜,酒水"));
}

void TestCategorySettings::changeIsAllOrNothing()
{
    m_t->exec(QStringLiteral(
        "create trigger refuse_xm before update on xm begin select raise(abort, 'locked'); end"));
    CategorySettings::Category category = m_categories->read(QStringLiteral("热菜"));
    category.name = QStringLiteral("炒菜");
    const CategorySettings::Result result = m_categories->change(QStringLiteral("热菜"), category);
    QVERIFY(!result);
    QCOMPARE(m_t->prompt.texts(), QStringList{"更改失败!"});
    QCOMPARE(m_categories->rows().at(0).at(CategorySettings::Name), QStringLiteral("热菜"));
}

void TestCategorySettings::removal_data()
{
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("left");
    QTest::newRow("none selected") << ""
                                   << "请选定要删除的类别!" << 3;
    QTest::newRow("has dishes") << "酒水"
                                << "此类别中已设有项目,不能删除！" << 3;
    QTest::newRow("empty, no question") << "空类"
                                        << "" << 2;
}

void TestCategorySettings::removal()
{
    QFETCH(QString, category);
    QFETCH(QString, message);
    QFETCH(int, left);
    QCOMPARE(m_categories->remove(category), message.isEmpty());
    QCOMPARE(m_t->prompt.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(m_categories->rows().size(), left);
}

PELVAR_TEST(TestCategorySettings)
#include "tst_CategorySettings.moc"
