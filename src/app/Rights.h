#pragma once

#include <QString>

// The 21 rights of an operator, in the order the operator dialog lists them.
enum class Right
{
    Kdqx,
    Ddqx,
    Jzqx,
    Ydqx,
    Xgzdqx,
    Gzjzqx,
    Fjqx,
    Czqx,
    Xmlbqx,
    Xmqx,
    Czyqx,
    Fwsqx,
    Hyqx,
    Symxqx,
    Syhzqx,
    Xstjqx,
    Tdcxqx,
    Zdcxqx,
    Ldxfcxqx,
    Sjqlqx,
    Sjhyqx
};

namespace Rights {

constexpr int kCount = 21;

Right at(int index);
// The right's column in [user].
QString column(Right right);
// The right's label in the operator dialog ("开单权限").
QString label(Right right);

} // namespace Rights
