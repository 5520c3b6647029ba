#include "CLeftView.h"
#include "Clock.h"
#include "Gbk.h"
#include "Restaurant.h"
#include "TestMain.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace {

QStringList counts(const CLeftView& view)
{
    QStringList out;
    for (int i = 0; i < 5; ++i)
        out << view.countText(i);
    return out;
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class TestCLeftView : public QObject
{
    Q_OBJECT
private slots:
    void cleanup()
    {
        Clock::clearFixed();
        qputenv("PATH", m_path);
    }
    void initTestCase() { m_path = qgetenv("PATH"); }

    void roomTreeUnderTheRestaurant();
    void choosingARoomFiltersTheBoard();
    void countsOfAnEmptyRestaurant();
    void countsFollowTheTables();
    void notesKeptInGbk();
    void stampAndClear();
    void calculatorStarted();
    void noCalculatorSaysSo();

private:
    QByteArray m_path;
};

void TestCLeftView::roomTreeUnderTheRestaurant()
{
    TestDatabase t;
    t.exec("update gs set gsmc='好味道酒家'");
    Restaurant(t).room(QStringLiteral("大厅"));
    Restaurant(t).room(QStringLiteral("包间"));
    CLeftView view(t.db, t.prompt, t.folder());
    QCOMPARE(view.tree()->topLevelItemCount(), 1);
    QTreeWidgetItem* root = view.tree()->topLevelItem(0);
    QCOMPARE(root->text(0), QStringLiteral("好味道酒家"));
    QCOMPARE(root->childCount(), 2);
    QCOMPARE(root->child(0)->text(0), QStringLiteral("大厅"));
    QCOMPARE(root->child(1)->text(0), QStringLiteral("包间"));
    // Rooms made in the settings appear after the reload.
    Restaurant(t).room(QStringLiteral("雅座"));
    view.reload();
    QCOMPARE(view.tree()->topLevelItem(0)->childCount(), 3);
}

void TestCLeftView::choosingARoomFiltersTheBoard()
{
    TestDatabase t;
    Restaurant(t).room(QStringLiteral("大厅"));
    CLeftView view(t.db, t.prompt, t.folder());
    QSignalSpy chosen(&view, &CLeftView::roomChosen);
    QTreeWidgetItem* root = view.tree()->topLevelItem(0);
    view.tree()->setCurrentItem(root->child(0));
    view.tree()->setCurrentItem(root);
    QCOMPARE(chosen.size(), 2);
    QCOMPARE(chosen.at(0).at(0).toString(), QStringLiteral("大厅"));
    QCOMPARE(chosen.at(1).at(0).toString(), QStringLiteral("%"));
}

void TestCLeftView::countsOfAnEmptyRestaurant()
{
    TestDatabase t;
    CLeftView view(t.db, t.prompt, t.folder());
    QCOMPARE(counts(view), (QStringList{"0", "0", "0", "0", "100%"}));
}

void TestCLeftView::countsFollowTheTables()
{
    Clock::setFixed(Restaurant::kNow);
    TestDatabase t;
    Restaurant(t).shifts();
    for (const char* table : {"A1", "A2", "A3", "A4"})
        Restaurant(t).table(QString::fromLatin1(table));
    Restaurant(t).book(QStringLiteral("20261206090000"), QStringLiteral("A3"), 1,
                       Restaurant::kNow.addSecs(600));
    CLeftView view(t.db, t.prompt, t.folder());
    QCOMPARE(counts(view), (QStringList{"4", "0", "3", "1", "25.00%"}));
    Restaurant(t).occupy(QStringLiteral("A1"), Restaurant::kNow);
    QCOMPARE(counts(view).at(1), QStringLiteral("0"));
    view.updateCounts();
    QCOMPARE(counts(view), (QStringList{"4", "1", "2", "1", "50.00%"}));
}

void TestCLeftView::notesKeptInGbk()
{
    TestDatabase t;
    const QString path = QDir(t.folder()).filePath(QStringLiteral("便签.txt"));
    QVERIFY(Gbk::writeFile(path, QStringLiteral("今晚包间客满\n")));
    CLeftView view(t.db, t.prompt, t.folder());
    QCOMPARE(view.notes()->toPlainText(), QStringLiteral("今晚包间客满\n"));
    view.notes()->moveCursor(QTextCursor::End);
    QTest::keyClicks(view.notes(), QStringLiteral("ab"));
    QTest::keyClick(view.notes(), Qt::Key_Return);
    QCOMPARE(fileBytes(path), Gbk::encode(QStringLiteral("今晚包间客满\r\nab\r\n")));
}

void TestCLeftView::stampAndClear()
{
    Clock::setFixed(QDateTime(QDate(2026, 12, 6), QTime(9, 5, 3)));
    TestDatabase t;
    const QString path = QDir(t.folder()).filePath(QStringLiteral("便签.txt"));
    CLeftView view(t.db, t.prompt, t.folder());
    QVERIFY(view.notes()->toPlainText().isEmpty());
    view.notes()->setPlainText(QStringLiteral("订蛋糕"));
    view.findChild<QPushButton*>(QStringLiteral("stamp"))->click();
    QCOMPARE(view.notes()->toPlainText(), QStringLiteral("订蛋糕---2026-12-06 09:05:03---\n"));
    QCOMPARE(fileBytes(path), Gbk::encode(QStringLiteral("订蛋糕---2026-12-06 09:05:03---\r\n")));

    auto* clear = view.findChild<QPushButton*>(QStringLiteral("clear"));
    t.prompt.answer(Prompt::Answer::No);
    clear->click();
    QCOMPARE(t.prompt.last(), QStringLiteral("你真的清空便签吗？"));
    QVERIFY(!view.notes()->toPlainText().isEmpty());
    t.prompt.answer(Prompt::Answer::Yes);
    clear->click();
    QVERIFY(view.notes()->toPlainText().isEmpty());
    QCOMPARE(fileBytes(path), QByteArray());
}

void TestCLeftView::calculatorStarted()
{
    QTemporaryDir bin;
    const QString marker = QDir(bin.path()).filePath(QStringLiteral("started"));
    const QString program = QDir(bin.path()).filePath(QStringLiteral("galculator"));
    QFile script(program);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(QStringLiteral("#!/bin/sh\ntouch '%1'\n").arg(marker).toUtf8());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("PATH", bin.path().toUtf8() + ":/usr/bin:/bin");
    TestDatabase t;
    CLeftView view(t.db, t.prompt, t.folder());
    view.findChild<QPushButton*>(QStringLiteral("calculator"))->click();
    QTRY_VERIFY(QFile::exists(marker));
    QVERIFY(t.prompt.texts().isEmpty());
}

void TestCLeftView::noCalculatorSaysSo()
{
    QTemporaryDir empty;
    qputenv("PATH", empty.path().toUtf8());
    TestDatabase t;
    CLeftView view(t.db, t.prompt, t.folder());
    view.findChild<QPushButton*>(QStringLiteral("calculator"))->click();
    QCOMPARE(
        t.prompt.texts(),
        QStringList{"没有找到计算器程序(gnome-calculator、kcalc、galculator、xcalc),请先安装一个计算器!"});
}

PELVAR_TEST(TestCLeftView)
#include "tst_CLeftView.moc"
