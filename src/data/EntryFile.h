#pragma once

#include <QString>
#include <QStringList>

// A text file of entries beside the program, one entry a line ("退单原因.txt", "口味.txt"):
// the choices a drop-down offers, and the new entries an operator types. GBK with CR LF, or the
// UTF-8 of a file edited elsewhere, which stays UTF-8 (TextFile).
class EntryFile final
{
public:
    EntryFile(const QString& folder, const QString& fileName);

    // The entries in file order, blank lines left out; none when the file is missing.
    QStringList entries() const;
    // "" when the file can keep the text as an entry; otherwise the message that refuses it: a
    // control character or line break, or a character the file's encoding cannot hold.
    QString refusal(const QString& text) const;
    // Appends the text as a new entry unless it is already one (exactly); creates the file
    // when missing. False when the file could not be written or refuses the text.
    bool remember(const QString& text) const;

private:
    QString m_path;
};
