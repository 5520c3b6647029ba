#include "Operator.h"

#include "Recordset.h"

Operator Operator::fromRecord(const Recordset& user)
{
    Operator op;
    op.m_name = user.getString(QStringLiteral("xm"));
    for (int i = 0; i < Rights::kCount; ++i)
        op.m_rights[i] = user.getString(Rights::column(Rights::at(i)));
    op.m_lowestDiscount = user.getString(QStringLiteral("dzbl"));
    op.m_largestRoundOff = user.getString(QStringLiteral("zdmlje"));
    if (op.m_largestRoundOff.isEmpty())
        op.m_largestRoundOff = QStringLiteral("0");
    return op;
}
