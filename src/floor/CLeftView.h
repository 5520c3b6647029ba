#pragma once

#include "RoomSummary.h"
#include "TextFile.h"

#include <QWidget>

class Database;
class Prompt;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

// The rooms pane: the restaurant with its rooms (choosing one filters the board), the board's
// counts, and the notes box kept in "便签.txt" in the data folder.
class CLeftView final : public QWidget
{
    Q_OBJECT
public:
    static inline const QString kNotesFile = QStringLiteral("便签.txt");
    // The desktop calculators looked for, in this order.
    static const QStringList kCalculators;

    CLeftView(Database& db, Prompt& prompt, const QString& dataFolder, QWidget* parent = nullptr);

    // The restaurant's name and rooms again, then the counts.
    void reload();
    void updateCounts();

    // The count shown for 餐台总数, 当前占用, 当前可供, 当前预订 and 上坐率, in that order.
    QString countText(int index) const;
    QTreeWidget* tree() const { return m_tree; }
    QPlainTextEdit* notes() const { return m_notes; }

public slots:
    void stampNotes();
    void clearNotes();
    // Starts the desktop's calculator; says so when none is installed.
    void startCalculator();

signals:
    // "%" for every room, otherwise the room's name.
    void roomChosen(const QString& room);

private:
    void saveNotes();

    RoomSummary m_summary;
    Prompt& m_prompt;
    QString m_notesPath;
    // Kept when the notes are written back: a UTF-8 file stays UTF-8.
    TextFile::Encoding m_notesEncoding = TextFile::Encoding::Gbk;
    QTreeWidget* m_tree;
    QLabel* m_counts[5];
    QPlainTextEdit* m_notes;
};
