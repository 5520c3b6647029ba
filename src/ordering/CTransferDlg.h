#pragma once

#include "ConsumptionList.h"

#include <QDialog>

class QComboBox;

// 消费转单: the occupied table a line moves to. Confirms only a target the consumption list
// accepts; the entry then holds it.
class CTransferDlg final : public QDialog
{
    Q_OBJECT
public:
    CTransferDlg(ConsumptionList& list, ConsumptionList::TransferEntry& entry, QWidget* parent = nullptr);

private:
    void onOk();

    ConsumptionList& m_list;
    ConsumptionList::TransferEntry& m_entry;
    QComboBox* m_target;
};
