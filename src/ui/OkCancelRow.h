#pragma once

#include <functional>

class QDialog;
class QHBoxLayout;

// The 确定 / 取消 row at the foot of a small dialog: 确定 is the default button and runs `onOk`
// (which decides whether the dialog closes); 取消 rejects.
QHBoxLayout* okCancelRow(QDialog* dialog, const std::function<void()>& onOk);
