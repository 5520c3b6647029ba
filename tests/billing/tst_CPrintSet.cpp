#include "CPrintSet.h"
#include "FakeSpooler.h"
#include "PrinterBox.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

class tst_CPrintSet : public QObject
{
    Q_OBJECT

private slots:
    void showsTheSettingsAndThePrinters();
    void storedPrinterUnknownToTheSpooler();
    void savesWhatWasEntered();
};

void tst_CPrintSet::showsTheSettingsAndThePrinters()
{
    TestDatabase t;
    t.exec(QStringLiteral("update dysz set jzdy='1',dyjmc='前台小票',bt1='标题一',bt2='标题二',yj1='页脚一',"
                          "yj2='页脚二',yjkh='3',cfdy='0'"));
    FakeSpooler spooler;
    spooler.printers.insert(QStringLiteral("厨房"), {});
    spooler.printers.insert(QStringLiteral("前台小票"), {});
    CPrintSet page(t.db, spooler);

    QCOMPARE(page.printerBox()->count(), 2);
    QCOMPARE(page.printerBox()->currentText(), QStringLiteral("前台小票"));
    QVERIFY(page.printAtCheckout()->isChecked());
    QVERIFY(!page.kitchenPrinting()->isChecked());
    QCOMPARE(page.field(QStringLiteral("小票标题一"))->text(), QStringLiteral("标题一"));
    QCOMPARE(page.field(QStringLiteral("小票标题二"))->text(), QStringLiteral("标题二"));
    QCOMPARE(page.field(QStringLiteral("小票页脚一"))->text(), QStringLiteral("页脚一"));
    QCOMPARE(page.field(QStringLiteral("小票页脚二"))->text(), QStringLiteral("页脚二"));
    QCOMPARE(page.field(QStringLiteral("页脚空行"))->text(), QStringLiteral("3"));
}

void tst_CPrintSet::storedPrinterUnknownToTheSpooler()
{
    TestDatabase t;
    t.exec(QStringLiteral("update dysz set dyjmc='旧打印机'"));
    FakeSpooler spooler;
    spooler.printers.insert(QStringLiteral("厨房"), {});
    CPrintSet page(t.db, spooler);
    // Kept, marked, and saved unchanged with the other fields.
    QCOMPARE(page.printerBox()->currentText(), QStringLiteral("旧打印机（未找到）"));
    page.save();
    QCOMPARE(t.scalar(QStringLiteral("select dyjmc from dysz")), QStringLiteral("旧打印机"));
}

void tst_CPrintSet::savesWhatWasEntered()
{
    TestDatabase t;
    FakeSpooler spooler;
    spooler.printers.insert(QStringLiteral("厨房"), {});
    spooler.printers.insert(QStringLiteral("小票"), {});
    CPrintSet page(t.db, spooler);
    page.show();

    page.printerBox()->setCurrentText(QStringLiteral("小票"));
    page.printAtCheckout()->setChecked(true);
    page.kitchenPrinting()->setChecked(true);
    QLineEdit* title = page.field(QStringLiteral("小票标题一"));
    title->clear();
    title->insert(QStringLiteral("老王's 饭店"));
    // Blank lines take digits only.
    QLineEdit* blank = page.field(QStringLiteral("页脚空行"));
    blank->clear();
    QTest::keyClicks(blank, QStringLiteral("a1b2"));
    QCOMPARE(blank->text(), QStringLiteral("12"));

    page.save();
    QCOMPARE(t.prompt.texts(), QStringList{QStringLiteral("保存成功!")});
    QCOMPARE(t.scalar(QStringLiteral("select jzdy||'|'||dyjmc||'|'||bt1||'|'||yjkh||'|'||cfdy from dysz")),
             QStringLiteral("1|小票|老王's 饭店|12|1"));
}

PELVAR_TEST(tst_CPrintSet)
#include "tst_CPrintSet.moc"
