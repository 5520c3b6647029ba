#include "CategoryDialog.h"
#include "Clock.h"
#include "CPrintListReportCtrl.h"
#include "CXmPage.h"
#include "DefaultPrinter.h"
#include "DishDialog.h"
#include "FakeSpooler.h"
#include "ModalDialogs.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <functional>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

QStringList column(const CPrintListReportCtrl* list, int column)
{
    QStringList texts;
    for (int row = 0; row < list->rowCount(); ++row)
        texts << list->cellText(row, column);
    return texts;
}

int rowOf(const CPrintListReportCtrl* list, int column, const QString& text)
{
    return ::column(list, column).indexOf(text);
}

} // namespace

class TestCXmPage : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void commandsPassTheirGateFirst_data();
    void commandsPassTheirGateFirst();
    void dishAddedWithInitialsAndNextNumber();
    void categoryWithKitchenPrinterFromTheList();
    void discountBoxFollowsTheCategory();
    void choosingACategoryShowsItsDishes();
    void renumberingThroughTheButton();
    void printedListCarriesTitleAndTimeLine();

private:
    void makePage();

    TestDatabase* m_t = nullptr;
    FakeSpooler* m_spooler = nullptr;
    DefaultPrinter* m_printer = nullptr;
    CXmPage* m_page = nullptr;
    int m_categoryChecks = 0;
    int m_dishChecks = 0;
    bool m_allowed = true;
};

void TestCXmPage::init()
{
    m_t = new TestDatabase;
    m_spooler = new FakeSpooler;
    m_spooler->printers.insert(QStringLiteral("kitchen-hot"), {});
    m_spooler->printers.insert(QStringLiteral("kitchen-cold"), {});
    m_printer = new DefaultPrinter;
    m_categoryChecks = m_dishChecks = 0;
    m_allowed = true;
}

void TestCXmPage::cleanup()
{
    Clock::clearFixed();
    delete m_page;
    delete m_printer;
    delete m_spooler;
    delete m_t;
    m_page = nullptr;
}

void TestCXmPage::makePage()
{
    delete m_page;
    m_page = new CXmPage(
        m_t->db, m_t->prompt, *m_spooler, *m_printer, QStringLiteral("张三"),
        [this] { return ++m_categoryChecks, m_allowed; }, [this] { return ++m_dishChecks, m_allowed; });
    m_page->resize(900, 700);
}

void TestCXmPage::commandsPassTheirGateFirst_data()
{
    QTest::addColumn<bool>("categoryButton");
    QTest::addColumn<QString>("text");
    QTest::newRow("category 添加") << true << QStringLiteral("添加");
    QTest::newRow("category 删除") << true << QStringLiteral("删除");
    QTest::newRow("category 修改") << true << QStringLiteral("修改");
    QTest::newRow("dish 添加") << false << QStringLiteral("添加");
    QTest::newRow("dish 删除") << false << QStringLiteral("删除");
    QTest::newRow("dish 修改") << false << QStringLiteral("修改");
    QTest::newRow("dish 重算编号") << false << QStringLiteral("重算编号");
}

void TestCXmPage::commandsPassTheirGateFirst()
{
    QFETCH(bool, categoryButton);
    QFETCH(QString, text);
    m_t->exec(QStringLiteral("insert into lb (lbm, sfdz, dyjmc, dyfs) values ('热菜', '1', '', '1')"));
    m_t->exec(QStringLiteral("insert into xm (xmbh, xmm, lbm, dj) values (7, '宫保鸡丁', '热菜', 20)"));
    makePage();
    m_page->categoryList()->selectRow(0);
    m_page->dishList()->selectRow(0);
    m_allowed = false;
    m_t->prompt.fallback = Prompt::Answer::Yes;

    bool opened = false;
    QTimer::singleShot(0, [&opened] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened = true;
            modal->close();
        }
    });
    QPushButton* button = categoryButton ? m_page->categoryButton(text) : m_page->dishButton(text);
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
    QCoreApplication::processEvents();

    QVERIFY(!opened);
    QCOMPARE(m_categoryChecks, categoryButton ? 1 : 0);
    QCOMPARE(m_dishChecks, categoryButton ? 0 : 1);
    QCOMPARE(m_t->prompt.texts(), QStringList());
    QCOMPARE(m_t->scalar(QStringLiteral("select count(*) from lb")), QStringLiteral("1"));
    QCOMPARE(m_t->scalar(QStringLiteral("select xmbh from xm")), QStringLiteral("7"));
}

void TestCXmPage::dishAddedWithInitialsAndNextNumber()
{
    m_t->exec(QStringLiteral("insert into lb (lbm, sfdz, dyjmc, dyfs) values ('热菜', '1', '', '1')"));
    makePage();
    QString proposed;
    whenModal([&proposed](QWidget* modal) {
        auto* dialog = qobject_cast<DishDialog*>(modal);
        QVERIFY(dialog);
        proposed = dialog->numberEdit()->text();
        QCOMPARE(dialog->unitBox()->currentText(), QStringLiteral("份"));
        QTRY_VERIFY(dialog->nameEdit()->hasFocus());
        typeIn(dialog->nameEdit(), QStringLiteral("宫保鸡丁"));
        QVERIFY(dialog->pinyinEdit()->text().isEmpty());
        QTest::keyClick(dialog->nameEdit(), Qt::Key_Tab);
        QCOMPARE(dialog->pinyinEdit()->text(), QStringLiteral("GBJD"));
        dialog->priceEdit()->setText(QStringLiteral("28"));
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    QTest::mouseClick(m_page->dishButton(QStringLiteral("添加")), Qt::LeftButton);
    QCOMPARE(proposed, QStringLiteral("1"));
    QCOMPARE(m_t->prompt.texts(), QStringList());
    QCOMPARE(m_t->scalar(QStringLiteral("select xmbh || ' ' || xmpy || ' ' || lbm || ' ' || dj from xm where "
                                        "xmm='宫保鸡丁'")),
             QStringLiteral("1 GBJD 热菜 28.0"));
    QCOMPARE(column(m_page->dishList(), DishSettings::Name), QStringList{QStringLiteral("宫保鸡丁")});

    // The next dish is proposed the number after the largest.
    m_t->exec(QStringLiteral("update xm set xmbh=41"));
    whenModal([&proposed](QWidget* modal) {
        proposed = qobject_cast<DishDialog*>(modal)->numberEdit()->text();
        modal->close();
    });
    QTest::mouseClick(m_page->dishButton(QStringLiteral("添加")), Qt::LeftButton);
    QCOMPARE(proposed, QStringLiteral("42"));
}

void TestCXmPage::categoryWithKitchenPrinterFromTheList()
{
    makePage();
    QStringList offered;
    whenModal([&offered](QWidget* modal) {
        auto* dialog = qobject_cast<CategoryDialog*>(modal);
        QVERIFY(dialog);
        for (int i = 0; i < dialog->printerBox()->count(); ++i)
            offered << dialog->printerBox()->itemText(i);
        QCOMPARE(dialog->printerBox()->currentIndex(), 0);
        QTRY_VERIFY(dialog->nameEdit()->hasFocus());
        typeIn(dialog->nameEdit(), QStringLiteral("凉菜"));
        dialog->printerBox()->setFocus();
        QTest::keyClick(dialog->printerBox(), Qt::Key_Down);
        QTest::keyClick(dialog->printerBox(), Qt::Key_Down);
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    QTest::mouseClick(m_page->categoryButton(QStringLiteral("添加")), Qt::LeftButton);
    // The spooler's printers, in the spooler's order, after the entry that prints nowhere.
    QCOMPARE(offered, (QStringList{QStringLiteral("此类项目不打印到后厨"), QStringLiteral("kitchen-cold"),
                                   QStringLiteral("kitchen-hot")}));
    QCOMPARE(m_t->scalar(QStringLiteral("select dyjmc from lb where lbm='凉菜'")),
             QStringLiteral("kitchen-hot"));
    QCOMPARE(column(m_page->categoryList(), CategorySettings::Printer),
             QStringList{QStringLiteral("kitchen-hot")});

    // Changing it shows the stored printer chosen.
    m_page->categoryList()->selectRow(0);
    QString shown;
    whenModal([&shown](QWidget* modal) {
        auto* dialog = qobject_cast<CategoryDialog*>(modal);
        shown = dialog->windowTitle() + QLatin1Char(' ') + dialog->printerBox()->currentText();
        modal->close();
    });
    QTest::mouseClick(m_page->categoryButton(QStringLiteral("修改")), Qt::LeftButton);
    QCOMPARE(shown, QStringLiteral("修改类别信息 kitchen-hot"));
}

void TestCXmPage::discountBoxFollowsTheCategory()
{
    m_t->exec(QStringLiteral("insert into lb (lbm, sfdz, dyjmc, dyfs) values ('热菜', '1', '', '1'), "
                             "('特价', '0', '', '1')"));
    makePage();
    QList<bool> states;
    whenModal([&states](QWidget* modal) {
        auto* dialog = qobject_cast<DishDialog*>(modal);
        QComboBox* category = dialog->categoryBox();
        QCheckBox* discount = dialog->discountBox();
        states << discount->isEnabled() << discount->isChecked();
        category->setFocus();
        QTest::keyClick(category, Qt::Key_Down); // 特价
        states << discount->isEnabled() << discount->isChecked();
        QTest::keyClick(category, Qt::Key_Up); // 热菜
        states << discount->isEnabled() << discount->isChecked();
        QTest::keyClick(category, Qt::Key_Down);
        dialog->nameEdit()->setText(QStringLiteral("特价鱼"));
        dialog->priceEdit()->setText(QStringLiteral("9.9"));
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    QTest::mouseClick(m_page->dishButton(QStringLiteral("添加")), Qt::LeftButton);
    QCOMPARE(states, (QList<bool>{true, true, false, false, true, false}));
    QCOMPARE(m_t->scalar(QStringLiteral("select lbm || sfdz from xm where xmm='特价鱼'")),
             QStringLiteral("特价0"));
}

void TestCXmPage::choosingACategoryShowsItsDishes()
{
    m_t->exec(QStringLiteral("insert into lb (lbm, sfdz, dyjmc, dyfs) values ('热菜', '1', '', '1'), "
                             "('酒水', '1', '', '1')"));
    m_t->exec(QStringLiteral("insert into xm (xmbh, xmm, xmpy, lbm, dj, nfxs) values "
                             "(1, '宫保鸡丁', 'GBJD', '热菜', 20, '1'), (2, '啤酒', 'PJ', '酒水', 8, '0'), "
                             "(3, '干煸豆角', 'GBDJ', '热菜', 18, '1')"));
    makePage();
    QCOMPARE(m_page->dishList()->rowCount(), 3);
    m_page->categoryList()->selectRow(
        rowOf(m_page->categoryList(), CategorySettings::Name, QStringLiteral("酒水")));
    QCOMPARE(column(m_page->dishList(), DishSettings::Name), QStringList{QStringLiteral("啤酒")});
    QCOMPARE(column(m_page->dishList(), DishSettings::State), QStringList{QStringLiteral("停用")});

    QTest::keyClicks(m_page->searchBox(), QStringLiteral("gb"));
    QCOMPARE(column(m_page->dishList(), DishSettings::Name),
             (QStringList{QStringLiteral("宫保鸡丁"), QStringLiteral("干煸豆角")}));
    // A dish added now shows in the searched list it belongs to.
    whenModal([](QWidget* modal) {
        auto* dialog = qobject_cast<DishDialog*>(modal);
        QTRY_VERIFY(dialog->nameEdit()->hasFocus());
        typeIn(dialog->nameEdit(), QStringLiteral("干煸牛肉"));
        QTest::keyClick(dialog->nameEdit(), Qt::Key_Tab);
        QTest::keyClicks(dialog->priceEdit(), QStringLiteral("38"));
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    QTest::mouseClick(m_page->dishButton(QStringLiteral("添加")), Qt::LeftButton);
    QCOMPARE(column(m_page->dishList(), DishSettings::Pinyin),
             (QStringList{QStringLiteral("GBJD"), QStringLiteral("GBDJ"), QStringLiteral("GBNR")}));

    QPushButton* all = nullptr;
    for (QPushButton* button : m_page->findChildren<QPushButton*>())
        if (button->text() == QStringLiteral("显示全部"))
            all = button;
    QVERIFY(all);
    QTest::mouseClick(all, Qt::LeftButton);
    QCOMPARE(
        column(m_page->dishList(), DishSettings::Number),
        (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")}));
}

void TestCXmPage::renumberingThroughTheButton()
{
    m_t->exec(
        QStringLiteral("insert into xm (xmbh, xmm, lbm, dj) values (12, '丙', '', 1), (5, '甲', '', 1), "
                       "(9, '乙', '', 1)"));
    makePage();
    m_t->prompt.answer(Prompt::Answer::Yes);
    QTest::mouseClick(m_page->dishButton(QStringLiteral("重算编号")), Qt::LeftButton);
    QCOMPARE(m_t->prompt.texts(),
             QStringList{QStringLiteral("你真的要重算编号吗?重算后项目编号从1开始累计")});
    QCOMPARE(column(m_page->dishList(), DishSettings::Number),
             (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
    QCOMPARE(column(m_page->dishList(), DishSettings::Name),
             (QStringList{QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")}));
}

void TestCXmPage::printedListCarriesTitleAndTimeLine()
{
    Clock::setFixed(QDateTime(QDate(2026, 12, 6), QTime(9, 5, 3)));
    m_t->exec(QStringLiteral("insert into xm (xmbh, xmm, lbm, dj) values (1, '甲', '', 1)"));
    makePage();
    bool previewed = false;
    whenModal([&previewed](QWidget* modal) {
        previewed = true;
        modal->close();
    });
    QTest::mouseClick(m_page->dishButton(QStringLiteral("打印")), Qt::LeftButton);
    QVERIFY(previewed);
    const ReportContent report = m_page->dishList()->content();
    QCOMPARE(report.title, QStringLiteral("项目明细报表"));
    QCOMPARE(report.subtitle, QStringLiteral("打印时间:2026年12月6日 9时5分3秒              操作员:张三"));
}

PELVAR_TEST(TestCXmPage)
#include "tst_CXmPage.moc"
