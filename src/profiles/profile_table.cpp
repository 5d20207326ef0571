#include "profiles/profile_table.h"

#include <algorithm>
#include <numeric>

namespace {
const ProfileRow kEmptyRow{};
}

ProfileTable::ProfileTable(QObject* parent) : QAbstractTableModel(parent)
{
    // Four empty rows until a file is loaded.
    SetRowCount(4);
    m_edited = false;
}

QVariant ProfileTable::Cell(int column, int dataRow) const
{
    if (dataRow < 1 || dataRow > RowCount() || column < 1 || column > ProfileColumn::Count)
        return QVariant();
    return m_rows[dataRow - 1][column - 1];
}

void ProfileTable::SetCell(int column, int dataRow, const QVariant& value)
{
    if (dataRow < 1 || dataRow > RowCount() || column < 1 || column > ProfileColumn::Count)
        return;
    m_rows[dataRow - 1][column - 1] = value;
    m_edited = true;
    const QModelIndex i = index(dataRow - 1, column - 1);
    emit dataChanged(i, i);
}

const ProfileRow& ProfileTable::row(int dataRow) const
{
    if (dataRow < 1 || dataRow > RowCount())
        return kEmptyRow;
    return m_rows[dataRow - 1];
}

void ProfileTable::SetRowCount(int n)
{
    n = std::max(0, n);
    const int old = RowCount();
    if (n > old) {
        beginInsertRows(QModelIndex(), old, n - 1);
        m_rows.resize(n);
        m_edited = true;
        for (int r = old + 1; r <= n; ++r)
            m_display.push_back(r);
        endInsertRows();
    } else if (n < old) {
        DeleteRows(n + 1, old);
    }
}

int ProfileTable::appendRow()
{
    SetRowCount(RowCount() + 1);
    return RowCount();
}

void ProfileTable::DeleteRows(int first, int last)
{
    first = std::max(first, 1);
    last = std::min(last, RowCount());
    if (first > last)
        return;
    beginRemoveRows(QModelIndex(), first - 1, last - 1);
    m_rows.erase(m_rows.begin() + (first - 1), m_rows.begin() + last);
    m_edited = true;
    removeFromDisplay(first, last);
    // As the grid does: the current cell goes to the row that moved up into its place,
    // else to the last row.
    if (m_currentRow >= first) {
        if (m_currentRow > last)
            m_currentRow -= last - first + 1;
        else
            m_currentRow = std::min(first, RowCount());
    }
    endRemoveRows();
}

void ProfileTable::removeFromDisplay(int first, int last)
{
    const int count = last - first + 1;
    std::vector<int> kept;
    kept.reserve(m_display.size());
    for (int d : m_display) {
        if (d >= first && d <= last)
            continue;
        kept.push_back(d > last ? d - count : d);
    }
    m_display.swap(kept);
}

void ProfileTable::replaceRows(std::vector<ProfileRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_edited = false;
    m_display.resize(m_rows.size());
    std::iota(m_display.begin(), m_display.end(), 1);
    m_currentRow = m_rows.empty() ? 0 : std::clamp(m_currentRow, 1, RowCount());
    endResetModel();
    // A reset leaves the view without a current cell; it takes the table's again.
    if (m_currentRow != 0)
        emit currentCellMoved(m_currentRow, m_currentColumn);
}

void ProfileTable::setCurrentCell(int dataRow, int column)
{
    m_currentRow = (dataRow >= 1 && dataRow <= RowCount()) ? dataRow : 0;
    if (column >= 1 && column <= ProfileColumn::Count)
        m_currentColumn = column;
}

void ProfileTable::MakeCurrent(int dataRow)
{
    if (dataRow < 1 || dataRow > RowCount())
        return;
    m_currentRow = dataRow;
    emit currentCellMoved(m_currentRow, m_currentColumn);
}

int ProfileTable::DisplayPosition(int dataRow) const
{
    const auto it = std::find(m_display.begin(), m_display.end(), dataRow);
    return it == m_display.end() ? 0 : static_cast<int>(it - m_display.begin()) + 1;
}

int ProfileTable::DataRowAt(int displayPosition) const
{
    if (displayPosition < 1 || displayPosition > static_cast<int>(m_display.size()))
        return 0;
    return m_display[displayPosition - 1];
}

void ProfileTable::moveDisplayPosition(int from, int to)
{
    const int n = static_cast<int>(m_display.size());
    if (from < 1 || from > n || to < 1 || to > n || from == to)
        return;
    const int d = m_display[from - 1];
    m_display.erase(m_display.begin() + (from - 1));
    m_display.insert(m_display.begin() + (to - 1), d);
    m_edited = true;
}

void ProfileTable::setReadOnly(bool readOnly)
{
    if (m_readOnly == readOnly)
        return;
    m_readOnly = readOnly;
    if (!m_rows.empty())
        emit dataChanged(index(0, 0), index(RowCount() - 1, ProfileColumn::Count - 1), {Qt::EditRole});
    emit readOnlyChanged(readOnly);
}

void ProfileTable::applyLanguage(Language language)
{
    m_language = language;
    const bool edited = m_edited;
    emit headerDataChanged(Qt::Horizontal, 0, ProfileColumn::Count - 1);
    static const int kWordColumns[] = {ProfileColumn::Type, ProfileColumn::Sensor, ProfileColumn::Unit,
                                       ProfileColumn::Orientation};
    for (int r = 1; r <= RowCount(); ++r) {
        for (int c : kWordColumns) {
            const QVariant v = Cell(c, r);
            if (v.typeId() != QMetaType::QString)
                continue;
            const QString text = v.toString();
            const QString translated = translateCellText(c, text, language, m_units);
            if (translated != text)
                SetCell(c, r, translated);
        }
    }
    m_edited = edited;
}

bool ProfileTable::isDesoldering(int dataRow) const
{
    return isDesolderingText(cellText(Cell(ProfileColumn::Type, dataRow)));
}

bool ProfileTable::isIrSensor(int dataRow) const
{
    return isIrSensorText(cellText(Cell(ProfileColumn::Sensor, dataRow)));
}

bool ProfileTable::isCelsius(int dataRow) const
{
    return isCelsiusText(cellText(Cell(ProfileColumn::Unit, dataRow)), m_units);
}

int ProfileTable::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : RowCount();
}

int ProfileTable::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ProfileColumn::Count;
}

QVariant ProfileTable::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const int column = index.column() + 1;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return cellText(Cell(column, index.row() + 1));
    case Qt::TextAlignmentRole:
        if (ProfileColumn::isNumeric(column) || ProfileColumn::isK(column))
            return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
        return QVariant();
    default:
        return QVariant();
    }
}

bool ProfileTable::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const int column = index.column() + 1;
    const QString text = value.toString();
    // Clearing a number by typing leaves 0.
    if (ProfileColumn::isNumeric(column) && text.isEmpty())
        SetCell(column, index.row() + 1, 0);
    else
        SetCell(column, index.row() + 1, text);
    return true;
}

QVariant ProfileTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole)
            return section + 1;
        return QVariant();
    }
    const int column = section + 1;
    if (role == Qt::DisplayRole)
        return columnHeading(column, m_language);
    if (role == Qt::TextAlignmentRole) {
        if (ProfileColumn::isNumeric(column))
            return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    }
    return QVariant();
}

Qt::ItemFlags ProfileTable::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const int column = index.column() + 1;
    if (!m_readOnly && !ProfileColumn::isK(column))
        f |= Qt::ItemIsEditable;
    return f;
}
