#pragma once

#include "CategorySettings.h"

#include <QDialog>

class PrinterBox;
class QCheckBox;
class QLineEdit;

// 添加类别信息 / 修改类别信息: a category's name, discount flag and kitchen printer with the
// layout of its tickets. The printer box offers "此类项目不打印到后厨" and the spooler's printers,
// and keeps the category's printer when the spooler does not know it.
class CategoryDialog final : public QDialog
{
    Q_OBJECT
public:
    // An empty name opens the dialog to add a category.
    CategoryDialog(Database& db, Prompt& prompt, const QStringList& spoolerPrinters,
                   const QString& name = QString(), QWidget* parent = nullptr);

    // The name saved, after OK.
    QString name() const;
    QLineEdit* nameEdit() const { return m_name; }
    PrinterBox* printerBox() const { return m_printer; }

private:
    void onOk();

    CategorySettings m_categories;
    QString m_oldName;
    QLineEdit* m_name;
    QCheckBox* m_discount;
    PrinterBox* m_printer;
    QLineEdit* m_title;
    QLineEdit* m_copies;
    QLineEdit* m_blankBefore;
    QLineEdit* m_blankAfter;
    QCheckBox* m_cut;
};
