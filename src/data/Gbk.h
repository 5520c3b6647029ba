#pragma once

#include <QByteArray>
#include <QString>

// The restaurant's printers and the text files beside the program speak GBK. Widths such as a
// ticket's 16-column name field count GBK bytes: a Chinese character takes two.
namespace Gbk {

QByteArray encode(const QString& text);
QString decode(const QByteArray& bytes);

// Width of the text in GBK bytes.
int width(const QString& text);

// The text followed by blanks up to `bytes` (as "%-16s" does: longer text is kept whole).
QString padRight(const QString& text, int bytes);
// Blanks then the text, up to `bytes` ("%16s").
QString padLeft(const QString& text, int bytes);

// The longest beginning of the text that fits in `bytes`, never splitting a character.
QString cut(const QString& text, int bytes);

// Text files beside the program: read as GBK, or as UTF-8 when they are (TextFile), written as
// GBK with CR LF line ends. A missing file reads as "" and sets *ok to false.
QString readFile(const QString& path, bool* ok = nullptr);
bool writeFile(const QString& path, const QString& text);

} // namespace Gbk
