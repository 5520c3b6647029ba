#pragma once

#include "OperatorRecord.h"

#include <QString>

class Operator;

// One edit of an operator in the operators page, weighed before it is written: whether the
// current operator may make it, and what it changes, for the run log.
//
// The operator right only manages operators; it raises nobody above the one who holds it:
// - only 系统管理员 edits 系统管理员's record, resets an existing operator's password, and grants
//   or takes the rights to manage operators, to clear and to restore data;
// - nobody edits their own rights or limits;
// - anyone else grants only rights they hold themselves, and limits no wider than their own
//   (otherwise a new operator would carry what its maker may not have).
class OperatorChange final
{
public:
    static inline const QString kOnlyAdministratorEdits =
        QStringLiteral("只有系统管理员可以修改'系统管理员'!");

    // `before` is the stored record (for an added operator, one without rights or limits);
    // `after` the record to be written, with limits written "%.2f".
    OperatorChange(const Operator& current, const OperatorRecord& before, const OperatorRecord& after,
                   bool adding, bool passwordChanged);

    // "" when the current operator may make the change; otherwise the message that refuses it.
    QString refusal() const;
    // The run log's closing after "用户“current”": "增加操作员“李四”:最低折扣0.90,最大抹零5.00,
    // 权限:开单权限、点单权限" or "修改操作员“李四”:最低折扣1.00→0.90,授予结账权限,取消开单权限".
    QString logEntry() const;

private:
    bool limitsOrRightsDiffer() const;

    const Operator& m_current;
    const OperatorRecord& m_before;
    const OperatorRecord& m_after;
    bool m_adding;
    bool m_passwordChanged;
};
