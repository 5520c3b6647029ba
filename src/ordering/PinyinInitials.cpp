#include "PinyinInitials.h"

#include "PinyinLevel2.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

// GB 2312 orders its level-1 characters by pinyin, so each initial owns one range of
// area-position codes ((lead - 0xA0) * 100 + (trail - 0xA0)); no syllable begins with I, U or V.
struct Level1Range
{
    int from;
    char letter;
};

constexpr Level1Range kLevel1[] = {
    {1601, 'A'}, {1637, 'B'}, {1833, 'C'}, {2078, 'D'}, {2274, 'E'}, {2302, 'F'}, {2433, 'G'}, {2594, 'H'},
    {2787, 'J'}, {3106, 'K'}, {3212, 'L'}, {3472, 'M'}, {3635, 'N'}, {3722, 'O'}, {3730, 'P'}, {3858, 'Q'},
    {4027, 'R'}, {4086, 'S'}, {4390, 'T'}, {4558, 'W'}, {4684, 'X'}, {4925, 'Y'}, {5249, 'Z'},
};

char level1Letter(int code)
{
    for (auto it = std::rbegin(kLevel1); it != std::rend(kLevel1); ++it) {
        if (it->from <= code)
            return it->letter;
    }
    return '\0'; // unreachable: callers pass codes from 1601 on
}

// Length of the character starting at i: two for a surrogate pair.
qsizetype charLength(const QString& text, qsizetype i)
{
    return (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ? 2 : 1;
}

} // namespace

QString GetPinyinInitials(const QString& text)
{
    QStringEncoder encoder("GBK");
    QStringDecoder decoder("GBK");
    QString result;
    for (qsizetype i = 0; i < text.size();) {
        const QStringView ch = QStringView(text).mid(i, charLength(text, i));
        i += ch.size();
        const QByteArray bytes = encoder.encode(ch);
        if (bytes.isEmpty() || QString(decoder.decode(bytes)) != ch) {
            result += ch; // GBK has no such character
            continue;
        }
        const int b = uchar(bytes.at(0));
        if (b < 0x80) {
            // Upper-cased one by one: upper-casing the whole result would also turn the ASCII
            // trail byte of a kept two-byte character into another character.
            result += QChar(b).toUpper();
            continue;
        }
        const int t = bytes.size() > 1 ? uchar(bytes.at(1)) : 0;
        const int code = b * 100 + t - 16160;
        if (code > 1600 && code < 5590) {
            result += QLatin1Char(level1Letter(code));
            continue;
        }
        const int index = b * 94 + t - 20465;
        if (index >= 0 && index < kPinyinLevel2Size)
            result += QLatin1Char(kPinyinLevel2[index]);
        else
            result += ch;
    }
    return result;
}
