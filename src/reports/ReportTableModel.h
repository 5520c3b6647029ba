#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>

// The rows of a list report: the kept text of every cell, each row's text colour, and the
// alternating row shades. Sorting reorders the rows, each taking its colour along (a returned
// dish stays red wherever it lands); the shades stay with the positions.
class ReportTableModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    static inline const QColor kEvenRow = QColor(0xF0, 0xF0, 0xF0);
    static inline const QColor kOddRow = QColor(0xFF, 0xFF, 0xFF);

    using QAbstractTableModel::QAbstractTableModel;

    void appendColumn(const QString& name);
    int addRow(QStringList texts);
    // Appends the rows in one insertion (a view lays itself out once, not once a row), each with
    // its colour from `colours` when given.
    void addRows(QList<QStringList> rows, const QList<QColor>& colours = {});
    void setCellText(int row, int column, const QString& text);
    void setRowColor(int row, const QColor& colour);
    void deleteRow(int row);
    void deleteAllRows();
    void sortByColumn(int column, bool ascending);

    QString cellText(int row, int column) const;
    QStringList headers() const { return m_headers; }
    const QList<QStringList>& rows() const { return m_rows; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList m_headers;
    QList<QStringList> m_rows;
    QList<QColor> m_rowColors; // beside m_rows; invalid: the default colour
};
