#include "CHuiYuan.h"

#include "CommandRow.h"
#include "CPrintListReportCtrl.h"
#include "DefaultPrinter.h"
#include "MemberDialog.h"
#include "MemberLevelDialog.h"
#include "PrintTimeLine.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

QWidget* buttonColumn(QWidget* parent, const QList<Command>& commands)
{
    auto* column = new QWidget(parent);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    addCommands(layout, column, commands);
    layout->addStretch();
    return column;
}

} // namespace

CHuiYuan::CHuiYuan(Database& db, Prompt& prompt, DefaultPrinter& defaultPrinter, const QString& operatorName,
                   Gate mayEdit, QWidget* parent)
    : QWidget(parent), m_db(db), m_prompt(prompt), m_defaultPrinter(defaultPrinter),
      m_operatorName(operatorName), m_mayEdit(std::move(mayEdit)), m_members(db, prompt),
      m_levels(db, prompt), m_memberList(new CPrintListReportCtrl(prompt, defaultPrinter, this)),
      m_levelList(new CPrintListReportCtrl(prompt, defaultPrinter, this)), m_search(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("会员管理"));
    m_memberList->SetColumnSpec(MemberSettings::kColumns);
    m_memberList->SetReportTitle(MemberSettings::kReportTitle);
    m_levelList->SetColumnSpec(MemberLevelSettings::kColumns);
    // Every column of a member in sight; the sheet grows to hold it.
    m_memberList->setMinimumWidth(m_memberList->horizontalHeader()->length() +
                                  2 * m_memberList->frameWidth() +
                                  m_memberList->verticalScrollBar()->sizeHint().width());

    m_memberButtons = buttonColumn(this, {{QStringLiteral("增加"), [this] { addMember(); }},
                                          {QStringLiteral("修改"), [this] { changeMember(); }},
                                          {QStringLiteral("删除"), [this] { removeMember(); }},
                                          {QStringLiteral("打印"), [this] { printMembers(); }}});
    m_levelButtons = buttonColumn(this, {{QStringLiteral("增加"), [this] { addLevel(); }},
                                         {QStringLiteral("修改"), [this] { changeLevel(); }},
                                         {QStringLiteral("删除"), [this] { removeLevel(); }}});

    auto* searchLabel = new QLabel(QStringLiteral("会员编号(简拼/卡号)："), this);
    searchLabel->setBuddy(m_search);
    auto* all = new QPushButton(QStringLiteral("全部显示"), this);
    all->setAutoDefault(false);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(m_search, 1);
    searchRow->addWidget(all);
    auto* memberRow = new QHBoxLayout;
    memberRow->addWidget(m_memberList, 1);
    memberRow->addWidget(m_memberButtons);
    auto* members = new QGroupBox(QStringLiteral("会员"), this);
    auto* membersLayout = new QVBoxLayout(members);
    membersLayout->addLayout(searchRow);
    membersLayout->addLayout(memberRow);

    auto* levels = new QGroupBox(QStringLiteral("会员等级"), this);
    auto* levelsLayout = new QHBoxLayout(levels);
    levelsLayout->addWidget(m_levelList, 1);
    levelsLayout->addWidget(m_levelButtons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(members, 3);
    layout->addWidget(levels, 2);

    connect(m_search, &QLineEdit::textEdited, this, &CHuiYuan::loadMembers);
    connect(all, &QPushButton::clicked, this, &CHuiYuan::showAll);
    connect(m_memberList, &QAbstractItemView::doubleClicked, this, &CHuiYuan::changeMember);
    connect(m_levelList, &QAbstractItemView::doubleClicked, this, &CHuiYuan::changeLevel);
    loadMembers();
    loadLevels();
}

QPushButton* CHuiYuan::memberButton(const QString& text) const
{
    return buttonWithText(m_memberButtons, text);
}

QPushButton* CHuiYuan::levelButton(const QString& text) const
{
    return buttonWithText(m_levelButtons, text);
}

int CHuiYuan::selectedNumber(const CPrintListReportCtrl* list)
{
    return list->selectedRowTexts().value(0).toInt();
}

void CHuiYuan::loadMembers()
{
    m_memberList->setRows(m_members.rows(m_search->text()));
}

void CHuiYuan::loadLevels()
{
    m_levelList->setRows(m_levels.rows());
}

void CHuiYuan::showAll()
{
    m_search->clear();
    loadMembers();
}

void CHuiYuan::addMember()
{
    if (!m_mayEdit())
        return;
    MemberDialog dialog(m_db, m_prompt, 0, this);
    if (dialog.exec() == QDialog::Accepted)
        loadMembers();
}

void CHuiYuan::changeMember()
{
    if (!m_mayEdit())
        return;
    const int number = selectedNumber(m_memberList);
    if (!m_members.mayChange(number))
        return;
    MemberDialog dialog(m_db, m_prompt, number, this);
    if (dialog.exec() == QDialog::Accepted)
        loadMembers();
}

void CHuiYuan::removeMember()
{
    if (!m_mayEdit())
        return;
    if (m_members.remove(selectedNumber(m_memberList)))
        loadMembers();
}

void CHuiYuan::printMembers()
{
    if (m_memberList->rowCount() == 0)
        return;
    m_memberList->SetPrintLine(PrintTimeLine(m_operatorName));
    m_defaultPrinter.SetPrintOrientation(false);
    m_memberList->PrintPreview();
}

void CHuiYuan::addLevel()
{
    if (!m_mayEdit())
        return;
    MemberLevelDialog dialog(m_db, m_prompt, {}, this);
    if (dialog.exec() == QDialog::Accepted)
        loadLevels();
}

void CHuiYuan::changeLevel()
{
    if (!m_mayEdit())
        return;
    const int id = selectedNumber(m_levelList);
    if (!m_levels.mayChange(id))
        return;
    const QList<int> rows = m_levelList->selectedRows();
    const MemberLevelSettings::Level level{id, m_levelList->cellText(rows.first(), MemberLevelSettings::Name),
                                           m_levelList->cellText(rows.first(), MemberLevelSettings::Ratio)};
    MemberLevelDialog dialog(m_db, m_prompt, level, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // Members show their level's name and ratio.
    loadLevels();
    loadMembers();
}

void CHuiYuan::removeLevel()
{
    if (!m_mayEdit())
        return;
    if (m_levels.remove(selectedNumber(m_levelList)))
        loadLevels();
}
