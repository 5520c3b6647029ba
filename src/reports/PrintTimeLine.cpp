#include "PrintTimeLine.h"

#include "Clock.h"

QString PrintTimeLine(const QString& operatorName)
{
    const QDateTime now = Clock::now();
    return QStringLiteral("打印时间:%1年%2月%3日 %4时%5分%6秒              操作员:%7")
        .arg(now.date().year())
        .arg(now.date().month())
        .arg(now.date().day())
        .arg(now.time().hour())
        .arg(now.time().minute())
        .arg(now.time().second())
        .arg(operatorName);
}
