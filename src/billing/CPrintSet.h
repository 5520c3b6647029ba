#pragma once

#include <QWidget>

class Database;
class PrinterBox;
class QCheckBox;
class QLineEdit;
class Spooler;

// 打印设置: the receipt settings (printer, titles, footers, blank lines, printing at checkout) and
// whether kitchen tickets are printed, saved by 保存.
class CPrintSet final : public QWidget
{
    Q_OBJECT
public:
    CPrintSet(Database& db, Spooler& spooler, QWidget* parent = nullptr);

    PrinterBox* printerBox() const { return m_printer; }
    QLineEdit* field(const QString& label) const;
    QCheckBox* printAtCheckout() const { return m_printAtCheckout; }
    QCheckBox* kitchenPrinting() const { return m_kitchen; }

    void save();

private:
    Database& m_db;
    QCheckBox* m_printAtCheckout;
    PrinterBox* m_printer;
    QLineEdit* m_title1;
    QLineEdit* m_title2;
    QLineEdit* m_footer1;
    QLineEdit* m_footer2;
    QLineEdit* m_blankLines;
    QCheckBox* m_kitchen;
};
