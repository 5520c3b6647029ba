#include "Gbk.h"
#include "PinyinInitials.h"
#include "TestMain.h"

#include <QFile>
#include <QProcess>
#include <QTest>

class TestPinyinInitials : public QObject
{
    Q_OBJECT
private slots:
    void names_data();
    void names();
    void eachLevel1LetterStartsAtItsCode_data();
    void eachLevel1LetterStartsAtItsCode();
    void firstLevel2Row();
    void committedTableIsTheGeneratorsOutput();
};

void TestPinyinInitials::names_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("initials");
    QTest::newRow("宫保鸡丁") << "宫保鸡丁"
                              << "GBJD";
    QTest::newRow("红烧鲤鱼") << "红烧鲤鱼"
                              << "HSLY";
    QTest::newRow("麻婆豆腐") << "麻婆豆腐"
                              << "MPDF";
    QTest::newRow("饺子") << "饺子"
                          << "JZ";
    QTest::newRow("level-2 鳜鱼") << "鳜鱼"
                                  << "GY";
    QTest::newRow("level-2 馄饨") << "馄饨"
                                  << "HT";
    QTest::newRow("digits and letters") << "可乐330ml"
                                        << "KL330ML";
    QTest::newRow("ascii") << "abc"
                           << "ABC";
    QTest::newRow("full-width brackets kept") << "（大）"
                                              << "（D）";
    QTest::newRow("ascii punctuation kept") << "a-b (c)"
                                            << "A-B (C)";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("first level-1 character") << "啊"
                                             << "A";
    QTest::newRow("last level-1 character") << "座"
                                            << "Z";
    QTest::newRow("last level-2 character") << "齄"
                                            << "Z";
    QTest::newRow("bare radical form") << "亻"
                                       << "[";
    // A kept two-byte character whose trail byte is an ASCII letter (亂 is 81 79) stays itself
    // when ASCII follows it.
    QTest::newRow("traditional character kept") << "亂a"
                                                << "亂A";
    QTest::newRow("box drawing kept") << "╞x╞"
                                      << "╞X╞";
    QTest::newRow("not in GBK") << "😀鸡ሀb"
                                << "😀JሀB";
}

void TestPinyinInitials::names()
{
    QFETCH(QString, name);
    QFETCH(QString, initials);
    QCOMPARE(GetPinyinInitials(name), initials);
}

void TestPinyinInitials::eachLevel1LetterStartsAtItsCode_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("letter");
    QTest::addColumn<QString>("letterBefore");
    const QString letters = QStringLiteral("ABCDEFGHJKLMNOPQRSTWXYZ");
    const int from[] = {1601, 1637, 1833, 2078, 2274, 2302, 2433, 2594, 2787, 3106, 3212, 3472,
                        3635, 3722, 3730, 3858, 4027, 4086, 4390, 4558, 4684, 4925, 5249};
    for (int i = 1; i < letters.size(); ++i)
        QTest::addRow("%c", letters.at(i).toLatin1())
            << from[i] << QString(letters.at(i)) << QString(letters.at(i - 1));
}

void TestPinyinInitials::eachLevel1LetterStartsAtItsCode()
{
    QFETCH(int, code);
    QFETCH(QString, letter);
    QFETCH(QString, letterBefore);
    const auto character = [](int c) {
        return Gbk::decode(QByteArray(1, char(0xA0 + c / 100)) + char(0xA0 + c % 100));
    };
    QCOMPARE(GetPinyinInitials(character(code)), letter);
    QCOMPARE(GetPinyinInitials(character(code - 1)), letterBefore);
}

void TestPinyinInitials::firstLevel2Row()
{
    const QString row =
        QStringLiteral("CJWGNSPGCGNE[Y[BTYYZDXYKYGT[JNNJQMBSGZSCYJSYY[PGKBZGY[YWJKGKLJYWKPJQHY[W[DZLSGMRYP"
                       "YWWCCKZNKYYG");
    QCOMPARE(row.size(), 94);
    for (int trail = 0xA1; trail <= 0xFE; ++trail) {
        const QString character = Gbk::decode(QByteArray(1, char(0xD8)) + char(trail));
        QCOMPARE(GetPinyinInitials(character), QString(row.at(trail - 0xA1)));
    }
}

void TestPinyinInitials::committedTableIsTheGeneratorsOutput()
{
    if (!QFile::exists(QStringLiteral(UNIHAN_READINGS)))
        QSKIP("Unihan_Readings.txt.bz2 (Debian package unicode-data) is not installed");
    QProcess generator;
    generator.start(QStringLiteral(PYTHON3),
                    {QStringLiteral(PINYIN_GENERATOR), QStringLiteral(UNIHAN_READINGS)});
    QVERIFY(generator.waitForFinished(60000));
    QCOMPARE(generator.exitCode(), 0);
    QFile committed(QStringLiteral(PINYIN_LEVEL2_SOURCE));
    QVERIFY(committed.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(generator.readAllStandardOutput()), QString::fromUtf8(committed.readAll()));
}

PELVAR_TEST(TestPinyinInitials)
#include "tst_PinyinInitials.moc"
