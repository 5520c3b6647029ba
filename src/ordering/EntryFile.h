#pragma once

#include <QString>
#include <QStringList>

// A text file of entries beside the program, one entry a line ("退单原因.txt", "口味.txt"):
// the choices a drop-down offers, and the new entries an operator types. GBK with CR LF.
class EntryFile final
{
public:
    EntryFile(const QString& folder, const QString& fileName);

    // The entries in file order, blank lines left out; none when the file is missing.
    QStringList entries() const;
    // Appends the text as a new entry unless it is already one (exactly); creates the file
    // when missing. Returns false only when the file could not be written.
    bool remember(const QString& text) const;

private:
    QString m_path;
};
