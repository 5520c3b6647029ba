#pragma once

#include <QString>

struct ConsumptionLine;

// What the ordering screen offers for the selected line: the texts and states of its return,
// gift and transfer buttons and the texts of its line menu. Only a line added since the list was
// last loaded, and not yet sent to the kitchen, can be deleted instead of returned.
struct LineActions
{
    QString returnText; // "退单(&T)" or "删除(&T)"
    bool returnEnabled = false;
    QString giftText; // "赠送(&S)" or "不赠(&S)"
    bool giftEnabled = false;
    bool transferEnabled = false;
    QString returnMenuText; // "退单" or "删除"
    QString giftMenuText;   // "赠送" or "不赠"

    static LineActions forLine(const ConsumptionLine& line, bool deletable);
};
