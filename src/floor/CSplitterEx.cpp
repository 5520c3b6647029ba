#include "CSplitterEx.h"

CSplitterEx::CSplitterEx(Qt::Orientation orientation, QWidget* parent) : QSplitter(orientation, parent)
{
    setChildrenCollapsible(false);
}

void CSplitterEx::setPane(int index, QWidget* pane)
{
    QWidget* old = replaceWidget(index, pane);
    if (index == m_hidden)
        pane->hide();
    delete old;
}

void CSplitterEx::hidePane(int index)
{
    if (m_hidden != -1)
        return;
    m_savedSizes = sizes();
    widget(index)->hide();
    m_hidden = index;
}

void CSplitterEx::showPane(int index)
{
    if (m_hidden != index)
        return;
    widget(index)->show();
    setSizes(m_savedSizes);
    m_hidden = -1;
}
