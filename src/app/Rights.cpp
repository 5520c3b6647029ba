#include "Rights.h"

namespace {

struct RightText
{
    const char* column;
    const char* label;
};

const RightText kRights[Rights::kCount] = {
    {"kdqx", "开单权限"},
    {"ddqx", "点单权限"},
    {"jzqx", "结账权限"},
    {"ydqx", "预订权限"},
    {"xgzdqx", "修改账单权限"},
    {"gzjzqx", "挂账账单结账权限"},
    {"fjqx", "房间管理权限"},
    {"czqx", "餐桌管理权限"},
    {"xmlbqx", "消费类别管理权限"},
    {"xmqx", "消费项目管理权限"},
    {"czyqx", "操作员管理权限"},
    {"fwsqx", "服务生管理权限"},
    {"hyqx", "会员管理权限"},
    {"symxqx", "收银明细权限"},
    {"syhzqx", "收银汇总权限"},
    {"xstjqx", "消售统计权限"},
    {"tdcxqx", "退单查询权限"},
    {"zdcxqx", "赠单查询权限"},
    {"ldxfcxqx", "离店消费查询权限"},
    {"sjqlqx", "数据清理权限"},
    {"sjhyqx", "数据还原权限"},
};

} // namespace

Right Rights::at(int index)
{
    return static_cast<Right>(index);
}

QString Rights::column(Right right)
{
    return QLatin1String(kRights[int(right)].column);
}

QString Rights::label(Right right)
{
    return QString::fromUtf8(kRights[int(right)].label);
}
