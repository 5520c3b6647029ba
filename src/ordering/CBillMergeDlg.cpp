#include "CBillMergeDlg.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QTreeWidget* groupList(QWidget* parent)
{
    auto* list = new QTreeWidget(parent);
    list->setRootIsDecorated(false);
    list->setAllColumnsShowFocus(true);
    list->setHeaderLabels({QStringLiteral("登记编号"), QStringLiteral("餐桌名")});
    list->setColumnWidth(0, 130);
    return list;
}

void fill(QTreeWidget* list, const QList<BillMerge::Group>& groups)
{
    list->clear();
    for (const BillMerge::Group& group : groups)
        new QTreeWidgetItem(list, {group.number, group.table});
}

QPushButton* button(const QString& text, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setAutoDefault(false);
    return b;
}

} // namespace

CBillMergeDlg::CBillMergeDlg(Database& db, const QString& selectedTable, QWidget* parent)
    : QDialog(parent), m_merge(db, selectedTable), m_inStore(groupList(this)), m_toMerge(groupList(this)),
      m_mainTable(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("合并账单"));
    m_mainTable->setReadOnly(true);
    m_mainTable->setFocusPolicy(Qt::NoFocus);
    connect(m_inStore, &QTreeWidget::itemDoubleClicked, this, &CBillMergeDlg::add);
    connect(m_toMerge, &QTreeWidget::itemDoubleClicked, this, &CBillMergeDlg::remove);

    auto* right = button(QStringLiteral("→"), this);
    auto* left = button(QStringLiteral("←"), this);
    right->setFixedWidth(48);
    left->setFixedWidth(48);
    connect(right, &QPushButton::clicked, this, &CBillMergeDlg::add);
    connect(left, &QPushButton::clicked, this, &CBillMergeDlg::remove);
    auto* mergeButton = button(QStringLiteral("合并"), this);
    connect(mergeButton, &QPushButton::clicked, this, &CBillMergeDlg::merge);
    auto* cancel = button(QStringLiteral("取消"), this);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* inStoreBox = new QGroupBox(QStringLiteral("在店顾客"), this);
    (new QVBoxLayout(inStoreBox))->addWidget(m_inStore);
    auto* toMergeBox = new QGroupBox(QStringLiteral("合并区"), this);
    (new QVBoxLayout(toMergeBox))->addWidget(m_toMerge);
    auto* arrows = new QVBoxLayout;
    arrows->addStretch();
    arrows->addWidget(right);
    arrows->addWidget(left);
    arrows->addStretch();
    auto* lists = new QHBoxLayout;
    lists->addWidget(inStoreBox, 1);
    lists->addLayout(arrows);
    lists->addWidget(toMergeBox, 1);

    auto* main = new QFormLayout;
    main->addRow(QStringLiteral("合并后主餐桌:"), m_mainTable);
    auto* bottom = new QHBoxLayout;
    bottom->addLayout(main);
    bottom->addStretch();
    bottom->addWidget(mergeButton);
    bottom->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addLayout(bottom);
    setTabOrder(m_inStore, right);
    setTabOrder(right, left);
    setTabOrder(left, m_toMerge);
    resize(640, 400);
    refresh(m_inStore, 0);
    m_inStore->setFocus();
}

void CBillMergeDlg::refresh(QTreeWidget* from, int row)
{
    fill(m_inStore, m_merge.inStore());
    fill(m_toMerge, m_merge.toMerge());
    m_mainTable->setText(m_merge.mainTable());
    if (from->topLevelItemCount() > 0)
        from->setCurrentItem(from->topLevelItem(qMin(row, from->topLevelItemCount() - 1)));
}

void CBillMergeDlg::add()
{
    const int row = m_inStore->indexOfTopLevelItem(m_inStore->currentItem());
    if (row < 0)
        return;
    m_merge.add(row);
    refresh(m_inStore, row);
}

void CBillMergeDlg::remove()
{
    const int row = m_toMerge->indexOfTopLevelItem(m_toMerge->currentItem());
    if (row < 0)
        return;
    m_merge.remove(row);
    refresh(m_toMerge, row);
}

void CBillMergeDlg::merge()
{
    if (m_merge.merge())
        accept();
}
