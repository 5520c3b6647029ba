#pragma once

#include <QList>
#include <QSplitter>

// A splitter one of whose panes can be hidden and shown again at the size it had.
class CSplitterEx final : public QSplitter
{
    Q_OBJECT
public:
    explicit CSplitterEx(Qt::Orientation orientation, QWidget* parent = nullptr);

    // Puts `pane` where the pane at `index` was (the old one is deleted).
    void setPane(int index, QWidget* pane);
    void hidePane(int index);
    void showPane(int index);
    // The index of the hidden pane, -1 when every pane shows.
    int hiddenPane() const { return m_hidden; }

private:
    int m_hidden = -1;
    QList<int> m_savedSizes;
};
