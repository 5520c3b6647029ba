#pragma once

#include "HandOverSlip.h"

#include <QDialog>

class Database;
class QLineEdit;
class QPlainTextEdit;
class ReceiptPrinter;

// 员工交班: the outgoing operator's shift on a slip, the cash counted typed in; 交班 keeps and
// prints the slip and closes with OK.
class HandOverDialog final : public QDialog
{
    Q_OBJECT
public:
    HandOverDialog(Database& db, const QString& restaurant, ReceiptPrinter& printer, const QString& who,
                   const QDateTime& loginTime, QWidget* parent = nullptr);

    QLineEdit* countedEdit() const { return m_counted; }
    QPlainTextEdit* slipView() const { return m_view; }
    const HandOverSlip::Slip& slip() const { return m_slip; }

    // The slip with the cash typed so far.
    void showSlip();
    void handOver();

private:
    Database& m_db;
    QString m_restaurant;
    ReceiptPrinter& m_printer;
    HandOverSlip::Slip m_slip;
    QLineEdit* m_counted;
    QPlainTextEdit* m_view;
};
