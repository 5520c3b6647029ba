#include "DishCatalogue.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <QTest>

class TestDishCatalogue : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void wholeCatalogueListsEveryDishByNumber();
    void rowsFollowTheListsColumns();
    void category_data();
    void category();
    void search_data();
    void search();
    void searchText_data();
    void searchText();

private:
    QStringList numbers(const QString& statement);

    TestDatabase* m_t = nullptr;
};

void TestDishCatalogue::init()
{
    m_t = new TestDatabase;
    // Inserted out of number order; 21 is not for sale; 7's unit and category are null.
    m_t->exec(QStringLiteral("insert into xm (xmbh, xmm, xmpy, dj, dw, lbm, sfdz, nfxs) values "
                             "(12, '可乐330ml', 'KL330ML', 5, '听', '酒水', '1', '1'), "
                             "(2, '红烧鲤鱼', 'HSLY', 58.5, '条', '热菜', '0', '1'), "
                             "(21, '鳜鱼', 'GY', 88, '条', '热菜', '1', '0'), "
                             "(1, '宫保鸡丁', 'GBJD', 28, '份', '热菜', '1', '1'), "
                             "(30, '大厨''s 凉菜', 'DCSLC', 16, '份', '厨师''s', '1', '1')"));
    m_t->exec(QStringLiteral("insert into xm (xmbh, xmm, xmpy, dj) values (7, '米饭', 'MF', 2)"));
}

void TestDishCatalogue::cleanup()
{
    QCOMPARE(m_t->prompt.texts().join(QLatin1Char('\n')), QString());
    delete m_t;
    m_t = nullptr;
}

QStringList TestDishCatalogue::numbers(const QString& statement)
{
    QStringList result;
    for (const QStringList& row : DishCatalogue(m_t->db).rows(statement))
        result << row.at(DishCatalogue::Number);
    return result;
}

void TestDishCatalogue::wholeCatalogueListsEveryDishByNumber()
{
    QCOMPARE(numbers(DishCatalogue::wholeCatalogue()), QStringList({"1", "2", "7", "12", "21", "30"}));
}

void TestDishCatalogue::rowsFollowTheListsColumns()
{
    const QList<QStringList> rows = DishCatalogue(m_t->db).rows(DishCatalogue::wholeCatalogue());
    QCOMPARE(rows.size(), 6);
    QCOMPARE(rows.at(0), QStringList({"1", "宫保鸡丁", "GBJD", "28", "份", "热菜", "允许"}));
    QCOMPARE(rows.at(1), QStringList({"2", "红烧鲤鱼", "HSLY", "58.5", "条", "热菜", "不允许"}));
    QCOMPARE(rows.at(2), QStringList({"7", "米饭", "MF", "2", "", "", "允许"}));
    QCOMPARE(DishCatalogue::kColumns.split(QLatin1Char(';')).size(), int(DishCatalogue::ColumnCount));
}

void TestDishCatalogue::category_data()
{
    QTest::addColumn<QString>("category");
    QTest::addColumn<QStringList>("numbers");
    QTest::newRow("hot dishes, not for sale included") << "热菜" << QStringList{"1", "2", "21"};
    QTest::newRow("drinks") << "酒水" << QStringList{"12"};
    QTest::newRow("name with a quote") << "厨师's" << QStringList{"30"};
    QTest::newRow("unknown") << "主食" << QStringList{};
    QTest::newRow("all") << "显示全部" << QStringList{"1", "2", "7", "12", "21", "30"};
}

void TestDishCatalogue::category()
{
    QFETCH(QString, category);
    QFETCH(QStringList, numbers);
    QStringList found = this->numbers(DishCatalogue::inCategory(category));
    found.sort(); // the category statement has no order of its own
    numbers.sort();
    QCOMPARE(found, numbers);
}

void TestDishCatalogue::search_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("numbers");
    QTest::newRow("empty: every dish for sale") << "" << QStringList{"1", "2", "7", "12", "30"};
    QTest::newRow("blanks only") << "   " << QStringList{"1", "2", "7", "12", "30"};
    QTest::newRow("initials, lower case") << "gbjd" << QStringList{"1"};
    QTest::newRow("inside the initials") << "l" << QStringList{"2", "12", "30"};
    QTest::newRow("not for sale is hidden") << "gy" << QStringList{};
    QTest::newRow("number or initials") << "1" << QStringList{"1", "12"};
    QTest::newRow("digits in the initials") << "330" << QStringList{"12"};
    QTest::newRow("leading blanks") << "  hs" << QStringList{"2"};
    QTest::newRow("quote and brackets removed") << "g'b[j]" << QStringList{"1"};
    QTest::newRow("a lone quote") << "'" << QStringList{"1", "2", "7", "12", "30"};
    QTest::newRow("the name is not searched") << "鸡" << QStringList{};
}

void TestDishCatalogue::search()
{
    QFETCH(QString, text);
    QFETCH(QStringList, numbers);
    QCOMPARE(this->numbers(DishCatalogue::matching(text)), numbers);
}

void TestDishCatalogue::searchText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("searched");
    QTest::newRow("quote and brackets") << "宫'[x]"
                                        << "宫x";
    QTest::newRow("only leading blanks") << " \t ab c "
                                         << "ab c ";
    QTest::newRow("blank after a removed quote") << "' a"
                                                 << "a";
    QTest::newRow("unchanged") << "Gb"
                               << "Gb";
}

void TestDishCatalogue::searchText()
{
    QFETCH(QString, typed);
    QFETCH(QString, searched);
    QCOMPARE(DishCatalogue::cleanSearchText(typed), searched);
}

PELVAR_TEST(TestDishCatalogue)
#include "tst_DishCatalogue.moc"
