#include "WaiterField.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTreeWidget>

WaiterField::WaiterField(Database& db, QWidget* parent) : QLineEdit(parent), m_picker(db)
{
    connect(this, &QLineEdit::textChanged, this,
            [this](const QString& text) { show(m_picker.textChanged(text)); });
    // Leaving the field for anything but its list closes the list.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (m_list && m_list->isVisible() && now != this && now != m_list)
            hideList();
    });
}

void WaiterField::preset(int waiter)
{
    const QSignalBlocker blocker(this);
    setText(m_picker.preset(waiter));
}

void WaiterField::showAll()
{
    show(m_picker.all());
    setFocus();
}

void WaiterField::show(const QList<WaiterPicker::Waiter>& waiters)
{
    if (waiters.isEmpty()) {
        hideList();
        return;
    }
    if (!m_list) {
        // A child of the dialog laid over what is below the field, so the focus can stay here.
        m_list = new QTreeWidget(window());
        m_list->setColumnCount(2);
        m_list->setHeaderLabels({QStringLiteral("编号"), QStringLiteral("姓名")});
        m_list->setColumnWidth(0, 40);
        m_list->setColumnWidth(1, 90);
        m_list->setRootIsDecorated(false);
        m_list->setFrameShape(QFrame::Box);
        m_list->installEventFilter(this);
        connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { take(); });
    }
    m_list->clear();
    for (const WaiterPicker::Waiter& w : waiters) {
        auto* item = new QTreeWidgetItem(m_list, {QString::number(w.id), w.name});
        item->setData(0, Qt::UserRole, w.id);
    }
    m_list->setCurrentItem(m_list->topLevelItem(0));
    const QPoint below = mapTo(window(), QPoint(0, height()));
    const int rows = qMin(int(waiters.size()), 8);
    m_list->setGeometry(below.x(), below.y(), qMax(width(), 150),
                        m_list->header()->sizeHint().height() + rows * m_list->sizeHintForRow(0) + 6);
    m_list->show();
    m_list->raise();
}

void WaiterField::hideList()
{
    if (m_list)
        m_list->hide();
}

void WaiterField::take()
{
    QTreeWidgetItem* item = m_list->currentItem();
    if (!item)
        return;
    m_picker.choose({item->data(0, Qt::UserRole).toInt(), item->text(1)});
    setText(item->text(1));
    hideList();
    emit picked();
}

void WaiterField::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (m_list && m_list->isVisible()) {
        if (key == Qt::Key_Down || key == Qt::Key_Up) {
            m_list->setFocus();
            return;
        }
        // Enter takes the highlighted waiter rather than the dialog's default button.
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            take();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

bool WaiterField::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            take();
            return true;
        }
        if (key == Qt::Key_Escape) {
            setFocus();
            hideList();
            return true;
        }
    }
    return QLineEdit::eventFilter(watched, event);
}
