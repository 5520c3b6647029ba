#include "CBillSplitDlg.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

CBillSplitDlg::CBillSplitDlg(Database& db, QWidget* parent)
    : QDialog(parent), m_split(db), m_groups(new QTreeWidget(this)), m_splitList(new QTreeWidget(this))
{
    setWindowTitle(QStringLiteral("拆分账单"));
    m_groups->setHeaderHidden(true);
    for (const BillSplit::Group& group : m_split.groups()) {
        auto* main = new QTreeWidgetItem(m_groups, {group.mainTable});
        for (const QString& table : group.otherTables)
            new QTreeWidgetItem(main, {table});
    }
    m_groups->expandAll();
    if (m_groups->topLevelItemCount() > 0)
        m_groups->setCurrentItem(m_groups->topLevelItem(0));

    m_splitList->setRootIsDecorated(false);
    m_splitList->setHeaderLabels({QStringLiteral("拆分餐桌名")});

    auto* move = new QPushButton(QStringLiteral("→"), this);
    move->setAutoDefault(false);
    move->setFixedWidth(48);
    connect(move, &QPushButton::clicked, this, &CBillSplitDlg::take);
    auto* splitButton = new QPushButton(QStringLiteral("拆分"), this);
    splitButton->setAutoDefault(false);
    connect(splitButton, &QPushButton::clicked, this, &CBillSplitDlg::split);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* groupsBox = new QGroupBox(QStringLiteral("可供拆分账单"), this);
    (new QVBoxLayout(groupsBox))->addWidget(m_groups);
    auto* splitBox = new QGroupBox(QStringLiteral("拆分区"), this);
    (new QVBoxLayout(splitBox))->addWidget(m_splitList);
    auto* lists = new QHBoxLayout;
    lists->addWidget(groupsBox, 1);
    lists->addWidget(move);
    lists->addWidget(splitBox, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(splitButton);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addLayout(buttons);
    setTabOrder(m_groups, move);
    setTabOrder(move, m_splitList);
    resize(460, 360);
    m_groups->setFocus();
}

void CBillSplitDlg::take()
{
    QTreeWidgetItem* item = m_groups->currentItem();
    if (!item || !m_split.take(item->text(0)))
        return;
    new QTreeWidgetItem(m_splitList, {item->text(0)});
    delete item;
}

void CBillSplitDlg::split()
{
    if (m_split.split())
        accept();
}
