#pragma once

#include <QString>

// The line a printed list carries with the moment it was printed and who printed it:
// "打印时间:2026年12月6日 9时5分3秒              操作员:name", the time from the clock.
QString PrintTimeLine(const QString& operatorName);
