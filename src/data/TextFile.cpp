#include "TextFile.h"

#include "Gbk.h"

#include <algorithm>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace TextFile {

namespace {

const QByteArray kBom("\xEF\xBB\xBF");

// The first character (a surrogate pair whole) that GBK cannot hold; "" when there is none.
QString firstOutsideGbk(const QString& text)
{
    // What GBK cannot hold comes back as something else ("?" or a substitute).
    if (Gbk::decode(Gbk::encode(text)) == text)
        return QString();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString ch = text.mid(i, length);
        if (Gbk::decode(Gbk::encode(ch)) != ch)
            return ch;
        i += length - 1;
    }
    return QString();
}

} // namespace

QString read(const QString& path, bool* ok, Encoding* encoding)
{
    QFile file(path);
    const bool opened = file.open(QIODevice::ReadOnly);
    if (ok)
        *ok = opened;
    Encoding found = Encoding::Gbk;
    QString text;
    if (opened) {
        const QByteArray bytes = file.readAll();
        if (bytes.startsWith(kBom)) {
            found = Encoding::Utf8WithBom;
            text = QString::fromUtf8(bytes.mid(kBom.size()));
        } else {
            QStringDecoder utf8(QStringDecoder::Utf8);
            const QString decoded = utf8.decode(bytes);
            const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char b) { return b >= 0; });
            if (!utf8.hasError() && !ascii) {
                found = Encoding::Utf8;
                text = decoded;
            } else {
                text = Gbk::decode(bytes);
            }
        }
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    }
    if (encoding)
        *encoding = found;
    return text;
}

bool holds(const QString& text, Encoding encoding)
{
    return encoding != Encoding::Gbk || firstOutsideGbk(text).isEmpty();
}

QString refusal(const QString& text, Encoding encoding, const QString& fileName)
{
    if (encoding != Encoding::Gbk)
        return QString();
    const QString ch = firstOutsideGbk(text);
    return ch.isEmpty() ? QString() : QStringLiteral("“%1”无法以GBK编码保存到%2中!").arg(ch, fileName);
}

bool write(const QString& path, const QString& text, Encoding encoding)
{
    return holds(text, encoding) && writeLossy(path, text, encoding);
}

bool writeLossy(const QString& path, const QString& text, Encoding encoding)
{
    QString crlf = text;
    crlf.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    crlf.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (encoding == Encoding::Utf8WithBom)
        file.write(kBom);
    file.write(encoding == Encoding::Gbk ? Gbk::encode(crlf) : crlf.toUtf8());
    return file.commit();
}

} // namespace TextFile
