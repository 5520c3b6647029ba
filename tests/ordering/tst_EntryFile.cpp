#include "EntryFile.h"
#include "Gbk.h"
#include "TestMain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestEntryFile : public QObject
{
    Q_OBJECT
private slots:
    void missingFileIsCreatedOnFirstEntry();
    void existingEntriesAreNotRepeated();
    void fileWithoutLastLineBreak();
    void blankLinesAreNoChoices();
    void utf8FileWithBom();

private:
    static QByteArray bytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }
    static void write(const QString& path, const QByteArray& content)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
};

void TestEntryFile::missingFileIsCreatedOnFirstEntry()
{
    QTemporaryDir dir;
    const EntryFile file(dir.path(), QStringLiteral("口味.txt"));
    QVERIFY(file.entries().isEmpty());
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("口味.txt"))));
    QVERIFY(file.remember(QStringLiteral("少辣")));
    QVERIFY(file.remember(QStringLiteral("不要香菜")));
    QCOMPARE(bytes(dir.filePath(QStringLiteral("口味.txt"))),
             Gbk::encode(QStringLiteral("少辣\r\n不要香菜\r\n")));
    QCOMPARE(file.entries(), (QStringList{QStringLiteral("少辣"), QStringLiteral("不要香菜")}));
}

void TestEntryFile::existingEntriesAreNotRepeated()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("退单原因.txt"));
    write(path, Gbk::encode(QStringLiteral("凉了\r\n上错菜\r\n")));
    const EntryFile file(dir.path(), QStringLiteral("退单原因.txt"));
    QVERIFY(file.remember(QStringLiteral("上错菜")));
    QVERIFY(file.remember(QStringLiteral("上错")));
    QCOMPARE(bytes(path), Gbk::encode(QStringLiteral("凉了\r\n上错菜\r\n上错\r\n")));
}

void TestEntryFile::fileWithoutLastLineBreak()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("口味.txt"));
    write(path, Gbk::encode(QStringLiteral("少辣")));
    const EntryFile file(dir.path(), QStringLiteral("口味.txt"));
    QVERIFY(file.remember(QStringLiteral("微辣")));
    QCOMPARE(file.entries(), (QStringList{QStringLiteral("少辣"), QStringLiteral("微辣")}));
}

void TestEntryFile::blankLinesAreNoChoices()
{
    QTemporaryDir dir;
    write(dir.filePath(QStringLiteral("口味.txt")), Gbk::encode(QStringLiteral("\r\n少辣\r\n\r\n微辣\r\n")));
    QCOMPARE(EntryFile(dir.path(), QStringLiteral("口味.txt")).entries(),
             (QStringList{QStringLiteral("少辣"), QStringLiteral("微辣")}));
}

void TestEntryFile::utf8FileWithBom()
{
    QTemporaryDir dir;
    write(dir.filePath(QStringLiteral("口味.txt")),
          QByteArray("\xEF\xBB\xBF") + QStringLiteral("少辣\n").toUtf8());
    const EntryFile file(dir.path(), QStringLiteral("口味.txt"));
    QCOMPARE(file.entries(), QStringList{QStringLiteral("少辣")});
    QVERIFY(file.remember(QStringLiteral("微辣")));
    QCOMPARE(bytes(dir.filePath(QStringLiteral("口味.txt"))),
             Gbk::encode(QStringLiteral("少辣\r\n微辣\r\n")));
}

PELVAR_TEST(TestEntryFile)
#include "tst_EntryFile.moc"
