#pragma once

#include <QString>

// The text files beside the program (便签.txt, 口味.txt, 退单原因.txt, 收入.ini, 支出.ini) are GBK
// with CR LF line ends, as the program writes them. One edited elsewhere may be UTF-8, with or
// without a byte order mark: it is read as such, and written back in its own encoding, so that a
// new entry never mixes GBK into it. A character the file's encoding cannot hold is refused, never
// written as "?".
namespace TextFile {

enum class Encoding
{
    Gbk,
    Utf8,
    Utf8WithBom
};

// The text with "\n" line ends; "" (and *ok false) when the file is missing. A file that is
// valid UTF-8 and not plain ASCII is UTF-8; any other is GBK.
QString read(const QString& path, bool* ok = nullptr, Encoding* encoding = nullptr);
// Writes the text with CR LF line ends in the encoding; false when it cannot be written or the
// encoding cannot hold every character.
bool write(const QString& path, const QString& text, Encoding encoding);
// As write(), but text the encoding cannot hold is written too, as its encoder replaces it.
bool writeLossy(const QString& path, const QString& text, Encoding encoding);
// Whether the encoding holds every character of the text.
bool holds(const QString& text, Encoding encoding);
// "" when the file can keep the text; otherwise why not: "“😀”无法以GBK编码保存到口味.txt中!".
QString refusal(const QString& text, Encoding encoding, const QString& fileName);

} // namespace TextFile
