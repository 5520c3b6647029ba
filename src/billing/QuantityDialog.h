#pragma once

#include <QDialog>

class Prompt;
class QLineEdit;

// 消费数量: a new quantity for one line of a modified bill. OK accepts only a number greater than 0
// and keeps it as "%.2f".
class QuantityDialog final : public QDialog
{
    Q_OBJECT
public:
    QuantityDialog(Prompt& prompt, const QString& item, const QString& quantity, QWidget* parent = nullptr);

    QString quantity() const;
    QLineEdit* quantityEdit() const { return m_quantity; }

    void onOk();

private:
    Prompt& m_prompt;
    QLineEdit* m_quantity;
};
