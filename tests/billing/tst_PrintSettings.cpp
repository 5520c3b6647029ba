#include "PrintSettings.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <QTest>

class tst_PrintSettings : public QObject
{
    Q_OBJECT

private slots:
    void savesAndLoads();
};

void tst_PrintSettings::savesAndLoads()
{
    TestDatabase t;
    PrintSettings s = *PrintSettings::load(t.db);
    QCOMPARE(s.title1, QStringLiteral("我的餐厅"));
    QVERIFY(!s.printAtCheckout);
    s.printAtCheckout = true;
    s.printer = QStringLiteral("收银台");
    s.title1 = QStringLiteral("老王's 饭店");
    s.title2 = QStringLiteral("电话 123");
    s.footer1 = QStringLiteral("谢谢");
    s.footer2 = QStringLiteral("再见");
    s.blankLines = QStringLiteral("1");
    s.kitchenPrinting = false;
    QVERIFY(s.save(t.db));
    QCOMPARE(t.prompt.texts(), QStringList{QStringLiteral("保存成功!")});

    const PrintSettings read = *PrintSettings::load(t.db);
    QVERIFY(read.printAtCheckout);
    QVERIFY(!read.kitchenPrinting);
    QCOMPARE(read.printer, QStringLiteral("收银台"));
    QCOMPARE(read.title1, QStringLiteral("老王's 饭店"));
    QCOMPARE(read.title2, QStringLiteral("电话 123"));
    QCOMPARE(read.footer1 + read.footer2, QStringLiteral("谢谢再见"));
    QVERIFY(read.plainText());
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from dysz")), QStringLiteral("1"));

    t.exec(QStringLiteral("delete from dysz"));
    QVERIFY(!PrintSettings::load(t.db));
}

PELVAR_TEST(tst_PrintSettings)
#include "tst_PrintSettings.moc"
