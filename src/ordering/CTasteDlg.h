#pragma once

#include <QDialog>

class ConsumptionList;
class QComboBox;

// 口味: the taste note of one line, chosen from "口味.txt" or typed (a typed one is kept there).
class CTasteDlg final : public QDialog
{
    Q_OBJECT
public:
    CTasteDlg(ConsumptionList& list, int row, QWidget* parent = nullptr);

private:
    void onOk();

    ConsumptionList& m_list;
    int m_row;
    QComboBox* m_taste;
};
