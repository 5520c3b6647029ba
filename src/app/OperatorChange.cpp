#include "OperatorChange.h"

#include "Field.h"
#include "Operator.h"

#include <QStringList>

namespace {

const Right kAdministratorRights[] = {Right::Czyqx, Right::Sjqlqx, Right::Sjhyqx};

qint64 cents(const QString& text)
{
    return qRound64(Field::toDouble(text) * 100);
}

QString change(const QString& what, const QString& from, const QString& to)
{
    return what + from + QStringLiteral("→") + to;
}

} // namespace

OperatorChange::OperatorChange(const Operator& current, const OperatorRecord& before,
                               const OperatorRecord& after, bool adding, bool passwordChanged)
    : m_current(current), m_before(before), m_after(after), m_adding(adding),
      m_passwordChanged(passwordChanged)
{
}

bool OperatorChange::limitsOrRightsDiffer() const
{
    return m_before.rights != m_after.rights ||
           cents(m_before.lowestDiscount) != cents(m_after.lowestDiscount) ||
           cents(m_before.largestRoundOff) != cents(m_after.largestRoundOff);
}

QString OperatorChange::refusal() const
{
    if (!m_adding && m_after.name == Operator::kAdministrator && !m_current.isAdministrator())
        return kOnlyAdministratorEdits;
    if (!m_adding && m_after.name == m_current.name() && limitsOrRightsDiffer())
        return QStringLiteral("不能修改自己的权限和限额!");
    if (m_current.isAdministrator())
        return QString();
    if (!m_adding && m_passwordChanged)
        return QStringLiteral("只有系统管理员可以重设操作员的密码!");
    for (Right right : kAdministratorRights)
        if (m_before.rights[int(right)] != m_after.rights[int(right)])
            return QStringLiteral("只有系统管理员可以授予或取消操作员管理、数据清理和数据还原权限!");
    for (int i = 0; i < Rights::kCount; ++i)
        if (m_after.rights[i] && !m_before.rights[i] && !m_current.may(Rights::at(i)))
            return QStringLiteral("不能授予自己没有的权限:") + Rights::label(Rights::at(i)) +
                   QLatin1Char('!');
    // A limit left as it was stays, even where it is wider than the editor's own.
    const qint64 lowest = cents(m_after.lowestDiscount);
    if ((m_adding || lowest != cents(m_before.lowestDiscount)) && lowest < cents(m_current.lowestDiscount()))
        return QStringLiteral("最低折扣不能低于自己的最低折扣!");
    const qint64 roundOff = cents(m_after.largestRoundOff);
    if ((m_adding || roundOff != cents(m_before.largestRoundOff)) &&
        roundOff > cents(m_current.largestRoundOff()))
        return QStringLiteral("最大抹零金额不能超过自己的最大抹零金额!");
    return QString();
}

QString OperatorChange::logEntry() const
{
    QStringList parts;
    if (m_adding) {
        parts << QStringLiteral("最低折扣") + m_after.lowestDiscount
              << QStringLiteral("最大抹零") + m_after.largestRoundOff;
        QStringList granted;
        for (int i = 0; i < Rights::kCount; ++i)
            if (m_after.rights[i])
                granted << Rights::label(Rights::at(i));
        parts << QStringLiteral("权限:") +
                     (granted.isEmpty() ? QStringLiteral("无") : granted.join(QStringLiteral("、")));
        return QStringLiteral("增加操作员“") + m_after.name + QStringLiteral("”:") +
               parts.join(QLatin1Char(','));
    }
    if (m_passwordChanged)
        parts << QStringLiteral("重设密码");
    if (m_before.phone != m_after.phone)
        parts << change(QStringLiteral("电话"), m_before.phone, m_after.phone);
    if (cents(m_before.lowestDiscount) != cents(m_after.lowestDiscount))
        parts << change(QStringLiteral("最低折扣"), m_before.lowestDiscount, m_after.lowestDiscount);
    if (cents(m_before.largestRoundOff) != cents(m_after.largestRoundOff))
        parts << change(QStringLiteral("最大抹零"), m_before.largestRoundOff, m_after.largestRoundOff);
    if (m_before.note != m_after.note)
        parts << change(QStringLiteral("备注"), m_before.note, m_after.note);
    QStringList granted;
    QStringList revoked;
    for (int i = 0; i < Rights::kCount; ++i)
        if (m_before.rights[i] != m_after.rights[i])
            (m_after.rights[i] ? granted : revoked) << Rights::label(Rights::at(i));
    if (!granted.isEmpty())
        parts << QStringLiteral("授予") + granted.join(QStringLiteral("、"));
    if (!revoked.isEmpty())
        parts << QStringLiteral("取消") + revoked.join(QStringLiteral("、"));
    if (parts.isEmpty())
        parts << QStringLiteral("无改动");
    return QStringLiteral("修改操作员“") + m_after.name + QStringLiteral("”:") + parts.join(QLatin1Char(','));
}
