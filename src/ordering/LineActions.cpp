#include "LineActions.h"

#include "ConsumptionLine.h"

LineActions LineActions::forLine(const ConsumptionLine& line, bool deletable)
{
    LineActions a;
    const bool gift = line.isGift();
    const bool ret = line.isReturn();
    a.giftText = gift ? QStringLiteral("不赠(&S)") : QStringLiteral("赠送(&S)");
    a.giftMenuText = gift ? QStringLiteral("不赠") : QStringLiteral("赠送");
    a.returnMenuText = deletable ? QStringLiteral("删除") : QStringLiteral("退单");
    if (deletable) {
        a.returnText = QStringLiteral("删除(&T)");
        a.returnEnabled = true;
        a.giftEnabled = !ret;
        a.transferEnabled = false;
    } else {
        a.returnText = QStringLiteral("退单(&T)");
        a.returnEnabled = !gift && !ret;
        a.giftEnabled = !ret;
        a.transferEnabled = !gift && !ret;
    }
    return a;
}
