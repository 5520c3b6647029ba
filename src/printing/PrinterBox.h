#pragma once

#include <QComboBox>

// The printer drop-down of the category dialog and of the print settings page. The stored printer
// stays listed even when the spooler does not know it at the moment (CUPS down, a queue renamed),
// marked as not found, so that saving the dialog for another field never drops or replaces it.
class PrinterBox final : public QComboBox
{
    Q_OBJECT
public:
    static inline const QString kNotFound = QStringLiteral("（未找到）");

    explicit PrinterBox(QWidget* parent = nullptr);

    // The spooler's printers, after `none` when given: an entry that stands for no printer and is
    // stored as its own text. `stored` is chosen; "" chooses `none`, or nothing without it.
    void setPrinters(const QStringList& known, const QString& stored, const QString& none = QString());
    // The chosen printer as it is stored; "" when none is chosen.
    QString printer() const;
};
