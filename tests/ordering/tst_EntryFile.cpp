#include "ConsumptionList.h"
#include "EntryFile.h"
#include "Restaurant.h"
#include "TestMain.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTest>

using namespace Qt::StringLiterals;

class TestEntryFile : public QObject
{
    Q_OBJECT
private slots:
    // 口味.txt edited elsewhere may be UTF-8: it reads as UTF-8 and a new entry keeps its encoding.
    // What GBK cannot hold, or a control character, is refused, never written as "?".
    void entryFilesKeepTheirEncoding_data()
    {
        const QByteArray bom("\xEF\xBB\xBF");
        auto gbk = [](const QString& text) { return QByteArray(QStringEncoder("GBK").encode(text)); };
        QTest::addColumn<QByteArray>("before"); // "-": no file
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QByteArray>("after"); // "": unchanged
        QTest::addColumn<QString>("refusal");
        QTest::newRow("UTF-8") << u"少辣\r\n"_s.toUtf8() << u"微辣"_s << u"少辣\r\n微辣\r\n"_s.toUtf8()
                               << QString();
        QTest::newRow("UTF-8 with BOM")
            << bom + u"少辣\r\n"_s.toUtf8() << u"微辣"_s << bom + u"少辣\r\n微辣\r\n"_s.toUtf8() << QString();
        QTest::newRow("GBK") << gbk(u"少辣\r\n"_s) << u"微辣"_s << gbk(u"少辣\r\n微辣\r\n"_s) << QString();
        QTest::newRow("ASCII") << QByteArray("ice\r\n") << u"微辣"_s << gbk(u"ice\r\n微辣\r\n"_s)
                               << QString();
        QTest::newRow("none yet") << QByteArray("-") << u"微辣"_s << gbk(u"微辣\r\n"_s) << QString();
        QTest::newRow("emoji into UTF-8")
            << u"少辣\r\n"_s.toUtf8() << u"生日😀"_s << u"少辣\r\n生日😀\r\n"_s.toUtf8() << QString();
        QTest::newRow("emoji into GBK")
            << gbk(u"少辣\r\n"_s) << u"生日😀"_s << QByteArray() << u"“😀”无法以GBK编码保存到口味.txt中!"_s;
        QTest::newRow("beyond GBK into a new file") << QByteArray("-") << u"\U00020000"_s << QByteArray()
                                                    << u"“\U00020000”无法以GBK编码保存到口味.txt中!"_s;
        QTest::newRow("control character")
            << u"少辣\r\n"_s.toUtf8() << u"少\x1b辣"_s << QByteArray() << u"输入的文字中不能含有控制字符!"_s;
    }
    void entryFilesKeepTheirEncoding()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, entry);
        QFETCH(QByteArray, after);
        QFETCH(QString, refusal);
        TestDatabase t;
        Restaurant r = Restaurant::withMenu(t);
        r.seat(u"A1"_s);
        QFile file(QDir(t.folder()).filePath(ConsumptionList::kTasteFile));
        if (before != "-") {
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(before);
            file.close();
        }
        const EntryFile tastes(t.folder(), ConsumptionList::kTasteFile);
        if (before != "-")
            QCOMPARE(tastes.entries().value(0), before.startsWith("ice") ? u"ice"_s : u"少辣"_s);
        QCOMPARE(tastes.refusal(entry), refusal);
        QCOMPARE(tastes.remember(entry), refusal.isEmpty());
        QVERIFY(file.open(QIODevice::ReadOnly) || before == "-");
        QCOMPARE(file.readAll(), after.isEmpty() && before != "-" ? before : after);
        // The note of a line is refused with the file's message, and left as it was.
        r.order(u"A1"_s, u"鱼香肉丝"_s, 1);
        ConsumptionList list(t.db, u"张三"_s, u"1"_s, t.folder());
        list.setTable(u"A1"_s);
        QVERIFY(list.LoadConsumptionList());
        QCOMPARE(list.SetNote(0, entry), refusal.isEmpty());
        QCOMPARE(t.prompt.texts(), refusal.isEmpty() ? QStringList() : QStringList{refusal});
        QCOMPARE(t.scalar(u"select ifnull(bz,'') from xfmx"_s), refusal.isEmpty() ? entry : QString());
    }
};

PELVAR_TEST(TestEntryFile)
#include "tst_EntryFile.moc"
