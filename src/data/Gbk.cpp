#include "Gbk.h"

#include "TextFile.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace Gbk {

QByteArray encode(const QString& text)
{
    QStringEncoder encoder("GBK");
    return encoder.encode(text);
}

QString decode(const QByteArray& bytes)
{
    QStringDecoder decoder("GBK");
    return decoder.decode(bytes);
}

namespace {

// Bytes one character (or surrogate pair) takes: ASCII one, anything GBK holds two, anything it
// cannot hold one (it prints as "?").
int charWidth(QStringView ch)
{
    if (ch.size() == 1 && ch.at(0).unicode() < 0x80)
        return 1;
    return int(encode(ch.toString()).size());
}

qsizetype charLength(const QString& text, qsizetype i)
{
    return (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
}

} // namespace

int width(const QString& text)
{
    int total = 0;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype n = charLength(text, i);
        total += charWidth(QStringView(text).mid(i, n));
        i += n;
    }
    return total;
}

QString padRight(const QString& text, int bytes)
{
    const int w = width(text);
    return w >= bytes ? text : text + QString(bytes - w, QLatin1Char(' '));
}

QString padLeft(const QString& text, int bytes)
{
    const int w = width(text);
    return w >= bytes ? text : QString(bytes - w, QLatin1Char(' ')) + text;
}

QString cut(const QString& text, int bytes)
{
    int used = 0;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype n = charLength(text, i);
        const int w = charWidth(QStringView(text).mid(i, n));
        if (used + w > bytes)
            return text.left(i);
        used += w;
        i += n;
    }
    return text;
}

QString readFile(const QString& path, bool* ok)
{
    return TextFile::read(path, ok);
}

bool writeFile(const QString& path, const QString& text)
{
    return TextFile::writeLossy(path, text, TextFile::Encoding::Gbk);
}

} // namespace Gbk
