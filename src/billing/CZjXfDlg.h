#pragma once

#include "BillModification.h"

#include <QDialog>

class CPrintListReportCtrl;
class DefaultPrinter;
class DishList;
class QComboBox;
class QLineEdit;

// 增加消费 of a modified bill: dishes found by category or by initials and number are listed
// with their quantities; OK hands the listed lines to the modification.
class CZjXfDlg final : public QDialog
{
    Q_OBJECT
public:
    static inline const QString kColumns =
        QStringLiteral("序号,50;项目名,120;餐桌名,80;数量,50;单价,60;折扣,60;记账人,110;消费时间,150");

    CZjXfDlg(Database& db, const BillModification& bill, DefaultPrinter& defaultPrinter,
             QWidget* parent = nullptr);

    const QList<BillModification::Line>& chosen() const { return m_chosen; }
    DishList* dishList() const { return m_dishes; }
    QLineEdit* searchEdit() const { return m_search; }
    QLineEdit* quantityEdit() const { return m_quantity; }
    CPrintListReportCtrl* chosenList() const { return m_list; }

    void addLine();
    void removeLine();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showChosen();

    const BillModification& m_bill;
    QList<BillModification::Line> m_chosen;
    QComboBox* m_category;
    QLineEdit* m_search;
    DishList* m_dishes;
    QLineEdit* m_quantity;
    CPrintListReportCtrl* m_list;
};
