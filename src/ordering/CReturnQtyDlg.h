#pragma once

#include "ConsumptionList.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

// 指定退单数量: how much of a line goes back, and why. Confirms only a quantity and reason the
// consumption list accepts; the entry then holds them.
class CReturnQtyDlg final : public QDialog
{
    Q_OBJECT
public:
    CReturnQtyDlg(const ConsumptionList& list, ConsumptionList::ReturnEntry& entry,
                  QWidget* parent = nullptr);

private:
    void onOk();

    const ConsumptionList& m_list;
    ConsumptionList::ReturnEntry& m_entry;
    QLineEdit* m_quantity;
    QComboBox* m_reason;
};
