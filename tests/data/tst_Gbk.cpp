#include "Gbk.h"
#include "TestMain.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestGbk : public QObject
{
    Q_OBJECT
private slots:
    void encodesChineseAsTwoBytes();
    void widths_data();
    void widths();
    void cutNeverSplitsACharacter_data();
    void cutNeverSplitsACharacter();
    void filesAreGbkWithCrLf();
    void utf8FileWithBomIsRead();
};

void TestGbk::encodesChineseAsTwoBytes()
{
    QCOMPARE(Gbk::encode(QStringLiteral("宫保鸡丁ab")).toHex(), QByteArray("b9acb1a3bca6b6a16162"));
    QCOMPARE(Gbk::decode(QByteArray::fromHex("b9acb1a3bca6b6a16162")), QStringLiteral("宫保鸡丁ab"));
}

void TestGbk::widths_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("padded8");
    QTest::newRow("ascii") << "ab" << 2 << "ab      ";
    QTest::newRow("chinese") << "鸡丁" << 4 << "鸡丁    ";
    QTest::newRow("mixed") << "可乐330ml" << 9 << "可乐330ml";
    QTest::newRow("full-width brackets") << "（大）" << 6 << "（大）  ";
    QTest::newRow("empty") << "" << 0 << "        ";
}

void TestGbk::widths()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QString, padded8);
    QCOMPARE(Gbk::width(text), width);
    QCOMPARE(Gbk::padRight(text, 8), padded8);
    QCOMPARE(Gbk::width(Gbk::padLeft(text, 8)), qMax(8, width));
}

void TestGbk::cutNeverSplitsACharacter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("bytes");
    QTest::addColumn<QString>("cut");
    QTest::newRow("falls inside a character") << "宫保鸡丁" << 5 << "宫保";
    QTest::newRow("on a boundary") << "宫保鸡丁" << 4 << "宫保";
    QTest::newRow("mixed") << "a宫b" << 2 << "a";
    QTest::newRow("fits") << "ab" << 10 << "ab";
    QTest::newRow("zero") << "宫" << 0 << "";
}

void TestGbk::cutNeverSplitsACharacter()
{
    QFETCH(QString, text);
    QFETCH(int, bytes);
    QFETCH(QString, cut);
    QCOMPARE(Gbk::cut(text, bytes), cut);
}

void TestGbk::filesAreGbkWithCrLf()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("便签.txt"));
    QVERIFY(Gbk::writeFile(path, QStringLiteral("少辣\n不要葱")));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), Gbk::encode(QStringLiteral("少辣\r\n不要葱")));
    bool ok = false;
    QCOMPARE(Gbk::readFile(path, &ok), QStringLiteral("少辣\n不要葱"));
    QVERIFY(ok);
    Gbk::readFile(dir.filePath(QStringLiteral("missing.txt")), &ok);
    QVERIFY(!ok);
}

void TestGbk::utf8FileWithBomIsRead()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("口味.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\xEF\xBB\xBF" + QStringLiteral("微辣\r\n").toUtf8());
    file.close();
    QCOMPARE(Gbk::readFile(path), QStringLiteral("微辣\n"));
}

PELVAR_TEST(TestGbk)
#include "tst_Gbk.moc"
