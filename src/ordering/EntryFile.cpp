#include "EntryFile.h"

#include "Gbk.h"

#include <QDir>

EntryFile::EntryFile(const QString& folder, const QString& fileName) : m_path(QDir(folder).filePath(fileName))
{
}

QStringList EntryFile::entries() const
{
    QStringList lines = Gbk::readFile(m_path).split(QLatin1Char('\n'));
    lines.removeAll(QString());
    return lines;
}

bool EntryFile::remember(const QString& text) const
{
    if (entries().contains(text))
        return true;
    QString content = Gbk::readFile(m_path);
    if (!content.isEmpty() && !content.endsWith(QLatin1Char('\n')))
        content += QLatin1Char('\n');
    return Gbk::writeFile(m_path, content + text + QLatin1Char('\n'));
}
