#include "CCzYdDlg.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

CCzYdDlg::CCzYdDlg(Database& db, const QString& table, QWidget* parent)
    : QDialog(parent), m_choice(db, table), m_list(new QTreeWidget(this))
{
    setWindowTitle(ReservationChoice::kTitle);
    m_list->setColumnCount(int(ReservationChoice::kColumns.size()));
    m_list->setHeaderLabels(ReservationChoice::kColumns);
    m_list->setRootIsDecorated(false);
    m_list->setAllColumnsShowFocus(true);
    m_rows = m_choice.rows();
    for (const ReservationChoice::Row& r : m_rows) {
        auto* item = new QTreeWidgetItem(
            m_list, {r.guest, r.room, r.table, r.deposit, r.phone, r.mobile, r.arrival, r.holdUntil, r.note});
        item->setCheckState(0, Qt::Checked);
    }
    m_list->header()->resizeSections(QHeaderView::ResizeToContents);
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(ReservationChoice::kCaption, this));
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(760, 300);
    connect(buttons, &QDialogButtonBox::accepted, this, &CCzYdDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CCzYdDlg::reject);
}

void CCzYdDlg::accept()
{
    QList<ReservationChoice::Row> ticked;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i)
        if (m_list->topLevelItem(i)->checkState(0) == Qt::Checked)
            ticked << m_rows.at(i);
    if (m_choice.accept(ticked))
        QDialog::accept();
}
