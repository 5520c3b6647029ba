#include "EntryFile.h"

#include "ControlCharacters.h"
#include "TextFile.h"

#include <QDir>
#include <QFileInfo>

EntryFile::EntryFile(const QString& folder, const QString& fileName) : m_path(QDir(folder).filePath(fileName))
{
}

QStringList EntryFile::entries() const
{
    QStringList lines = TextFile::read(m_path).split(QLatin1Char('\n'));
    lines.removeAll(QString());
    return lines;
}

QString EntryFile::refusal(const QString& text) const
{
    // An entry is one line, and what it holds goes to printers as typed.
    if (ControlCharacters::contains(text) || text.contains(QLatin1Char('\n')) ||
        text.contains(QLatin1Char('\r')))
        return ControlCharacters::kRefused;
    TextFile::Encoding encoding = TextFile::Encoding::Gbk;
    TextFile::read(m_path, nullptr, &encoding);
    return TextFile::refusal(text, encoding, QFileInfo(m_path).fileName());
}

bool EntryFile::remember(const QString& text) const
{
    TextFile::Encoding encoding = TextFile::Encoding::Gbk;
    QString content = TextFile::read(m_path, nullptr, &encoding);
    QStringList lines = content.split(QLatin1Char('\n'));
    lines.removeAll(QString());
    if (lines.contains(text))
        return true;
    if (!refusal(text).isEmpty())
        return false;
    if (!content.isEmpty() && !content.endsWith(QLatin1Char('\n')))
        content += QLatin1Char('\n');
    return TextFile::write(m_path, content + text + QLatin1Char('\n'), encoding);
}
