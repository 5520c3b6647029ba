#include "ReportTableModel.h"

#include "CellOrder.h"

#include <algorithm>
#include <numeric>

void ReportTableModel::appendColumn(const QString& name)
{
    const int column = int(m_headers.size());
    beginInsertColumns({}, column, column);
    m_headers << name;
    for (QStringList& row : m_rows)
        row << QString();
    endInsertColumns();
}

int ReportTableModel::addRow(QStringList texts)
{
    addRows({std::move(texts)});
    return int(m_rows.size()) - 1;
}

void ReportTableModel::addRows(QList<QStringList> rows, const QList<QColor>& colours)
{
    if (rows.isEmpty())
        return;
    const int first = int(m_rows.size());
    beginInsertRows({}, first, first + int(rows.size()) - 1);
    for (int i = 0; i < rows.size(); ++i) {
        rows[i].resize(m_headers.size());
        m_rowColors << colours.value(i);
    }
    m_rows << std::move(rows);
    endInsertRows();
}

void ReportTableModel::setCellText(int row, int column, const QString& text)
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_headers.size())
        return;
    m_rows[row][column] = text;
    emit dataChanged(index(row, column), index(row, column), {Qt::DisplayRole});
}

void ReportTableModel::setRowColor(int row, const QColor& colour)
{
    if (row < 0 || row >= m_rows.size())
        return;
    m_rowColors[row] = colour;
    emit dataChanged(index(row, 0), index(row, int(m_headers.size()) - 1), {Qt::ForegroundRole});
}

void ReportTableModel::deleteRow(int row)
{
    if (row < 0 || row >= m_rows.size())
        return;
    beginRemoveRows({}, row, row);
    m_rows.removeAt(row);
    m_rowColors.removeAt(row);
    endRemoveRows();
}

void ReportTableModel::deleteAllRows()
{
    beginResetModel();
    m_rows.clear();
    m_rowColors.clear();
    endResetModel();
}

void ReportTableModel::sortByColumn(int column, bool ascending)
{
    if (column < 0 || column >= m_headers.size())
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    QList<CellOrder::Key> keys;
    keys.reserve(m_rows.size());
    for (const QStringList& row : m_rows)
        keys << CellOrder::key(row.at(column));
    QList<int> order(m_rows.size());
    std::iota(order.begin(), order.end(), 0);
    // A stable merge sort: the first text of each comparison picks its kind, so a column of
    // mixed texts need not be strictly ordered, and a merge sort stays safe with that.
    std::stable_sort(order.begin(), order.end(), [&](int x, int y) {
        const CellOrder::Key& a = keys.at(x);
        const CellOrder::Key& b = keys.at(y);
        return (ascending ? CellOrder::compare(a, b) : CellOrder::compare(b, a)) < 0;
    });
    QList<QStringList> sorted;
    QList<QColor> sortedColors;
    sorted.reserve(m_rows.size());
    sortedColors.reserve(m_rows.size());
    QList<int> newPosition(m_rows.size());
    for (int i = 0; i < order.size(); ++i) {
        sorted << m_rows.at(order.at(i));
        sortedColors << m_rowColors.at(order.at(i));
        newPosition[order.at(i)] = i;
    }
    m_rows = std::move(sorted);
    m_rowColors = std::move(sortedColors);
    // Selections follow their rows to the new places.
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    for (const QModelIndex& i : before)
        after << index(newPosition.at(i.row()), i.column());
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

QString ReportTableModel::cellText(int row, int column) const
{
    return m_rows.value(row).value(column);
}

int ReportTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ReportTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_headers.size());
}

QVariant ReportTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_rows.at(index.row()).at(index.column());
    case Qt::BackgroundRole:
        return index.row() % 2 == 0 ? kEvenRow : kOddRow;
    case Qt::ForegroundRole: {
        const QColor& colour = m_rowColors.at(index.row());
        return colour.isValid() ? QVariant(colour) : QVariant();
    }
    default:
        return {};
    }
}

QVariant ReportTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return m_headers.value(section);
    if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole)
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}
