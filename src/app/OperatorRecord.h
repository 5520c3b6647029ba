#pragma once

#include "Rights.h"

#include <array>
#include <QString>

// One row of [user] as the operators page and the operator dialog show it.
struct OperatorRecord
{
    QString name;
    QString phone;
    QString lowestDiscount;  // "%.2f"
    QString largestRoundOff; // "%.2f"
    QString note;
    std::array<bool, Rights::kCount> rights{};
};
