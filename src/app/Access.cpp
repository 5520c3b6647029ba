#include "Access.h"

#include "Operator.h"

bool Access::granted(const Operator& op, Right right, Prompt& prompt, const QString& caption)
{
    if (op.may(right))
        return true;
    prompt.warn(kNoRight, caption);
    return false;
}

bool Access::administrator(const Operator& op, Prompt& prompt, const QString& refusal, const QString& caption)
{
    if (op.isAdministrator())
        return true;
    prompt.warn(refusal, caption);
    return false;
}
