#include "CUser.h"

#include "CommandRow.h"
#include "CUserDlg.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

CUser::CUser(Database& db, Prompt& prompt, const Operator& current, QWidget* parent)
    : QWidget(parent), m_db(db), m_prompt(prompt), m_current(current), m_accounts(db, prompt),
      m_list(new QTreeWidget(this))
{
    setWindowTitle(QStringLiteral("操作员设置"));
    m_list->setRootIsDecorated(false);
    m_list->setAllColumnsShowFocus(true);
    m_list->setHeaderLabels({QStringLiteral("姓名"), QStringLiteral("电话"), QStringLiteral("最低打折比例"),
                             QStringLiteral("最大抹零金额"), QStringLiteral("备注")});
    const int widths[] = {100, 120, 140, 90, 200};
    for (int i = 0; i < 5; ++i)
        m_list->setColumnWidth(i, widths[i]);
    for (const OperatorRecord& record : m_accounts.list())
        showRow(new QTreeWidgetItem(m_list), record);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &CUser::change);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(commandRow(this, {{QStringLiteral("增加"), [this] { add(); }},
                                        {QStringLiteral("修改"), [this] { change(); }},
                                        {QStringLiteral("删除"), [this] { remove(); }}}));
}

QString CUser::selectedName() const
{
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text(0);
}

void CUser::showRow(QTreeWidgetItem* item, const OperatorRecord& record)
{
    item->setText(0, record.name);
    item->setText(1, record.phone);
    item->setText(2, record.lowestDiscount);
    item->setText(3, record.largestRoundOff);
    item->setText(4, record.note);
}

void CUser::add()
{
    if (!m_accounts.mayAdd(m_current))
        return;
    CUserDlg dialog(m_db, m_prompt, m_current, QString(), this);
    if (dialog.exec() == QDialog::Accepted)
        showRow(new QTreeWidgetItem(m_list), dialog.record());
}

void CUser::change()
{
    const QString name = selectedName();
    if (!m_accounts.mayChange(m_current, name))
        return;
    CUserDlg dialog(m_db, m_prompt, m_current, name, this);
    if (dialog.exec() == QDialog::Accepted)
        showRow(m_list->selectedItems().first(), dialog.record());
}

void CUser::remove()
{
    if (m_accounts.remove(m_current, selectedName()))
        delete m_list->selectedItems().first();
}
