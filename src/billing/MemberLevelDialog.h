#pragma once

#include "MemberLevelSettings.h"

#include <QDialog>

class QLineEdit;

// 增加会员等级 / 修改会员等级: a level's name and discount ratio.
class MemberLevelDialog final : public QDialog
{
    Q_OBJECT
public:
    // A level with id 0 is added.
    MemberLevelDialog(Database& db, Prompt& prompt, const MemberLevelSettings::Level& level = {},
                      QWidget* parent = nullptr);

    QLineEdit* nameEdit() const { return m_name; }
    QLineEdit* ratioEdit() const { return m_ratio; }

private:
    void onOk();

    MemberLevelSettings m_levels;
    int m_id;
    QLineEdit* m_name;
    QLineEdit* m_ratio;
};
