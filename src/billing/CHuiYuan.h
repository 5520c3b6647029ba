#pragma once

#include "Gate.h"
#include "MemberLevelSettings.h"
#include "MemberSettings.h"

#include <QWidget>

class CPrintListReportCtrl;
class DefaultPrinter;
class QLineEdit;
class QPushButton;

// 会员管理: the members with their search box, 增加, 修改, 删除 and 打印, and the member levels
// with 增加, 修改 and 删除. Every change passes `mayEdit` (the members right) first.
class CHuiYuan final : public QWidget
{
    Q_OBJECT
public:
    CHuiYuan(Database& db, Prompt& prompt, DefaultPrinter& defaultPrinter, const QString& operatorName,
             Gate mayEdit, QWidget* parent = nullptr);

    CPrintListReportCtrl* memberList() const { return m_memberList; }
    CPrintListReportCtrl* levelList() const { return m_levelList; }
    QLineEdit* searchBox() const { return m_search; }
    QPushButton* memberButton(const QString& text) const;
    QPushButton* levelButton(const QString& text) const;

    void addMember();
    void changeMember();
    void removeMember();
    void printMembers();
    void showAll();
    void addLevel();
    void changeLevel();
    void removeLevel();

private:
    static int selectedNumber(const CPrintListReportCtrl* list);
    void loadMembers();
    void loadLevels();

    Database& m_db;
    Prompt& m_prompt;
    DefaultPrinter& m_defaultPrinter;
    QString m_operatorName;
    Gate m_mayEdit;
    MemberSettings m_members;
    MemberLevelSettings m_levels;
    CPrintListReportCtrl* m_memberList;
    CPrintListReportCtrl* m_levelList;
    QLineEdit* m_search;
    QWidget* m_memberButtons;
    QWidget* m_levelButtons;
};
