#include "records/process_values_model.h"

#include <cmath>

#include <QLocale>

ProcessValuesModel::ProcessValuesModel(QObject* parent) : QAbstractTableModel(parent)
{
}

int ProcessValuesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows.size();
}

int ProcessValuesModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ProcessValuesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return QVariant();
    if (role == Qt::DisplayRole)
        return cellText(m_rows[index.row()], index.row(), index.column());
    return QVariant();
}

QVariant ProcessValuesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Vertical)
        return section + 1;
    switch (section) {
    case No: return m_chinese ? QStringLiteral("序号") : QStringLiteral("No.");
    case Time: return m_chinese ? QStringLiteral("时间(s)") : QStringLiteral("time(s)");
    case Tc: return QStringLiteral("Tc");
    case DTdt: return QStringLiteral("dT / dt");
    case Tb: return QStringLiteral("Tb");
    case Fan: return m_chinese ? QStringLiteral("风扇") : QStringLiteral("fan");
    case Pump: return m_chinese ? QStringLiteral("真空泵") : QStringLiteral("pump");
    case TopHeater: return m_chinese ? QStringLiteral("顶部加热器") : QStringLiteral("Top Heater");
    case BottomHeater: return m_chinese ? QStringLiteral("底部加热器") : QStringLiteral("Bottom Heater");
    default: return QVariant();
    }
}

void ProcessValuesModel::fill(const QList<RecordSample>& samples)
{
    beginResetModel();
    m_rows = samples;
    endResetModel();
}

bool ProcessValuesModel::extend(const QList<RecordSample>& samples)
{
    if (samples.size() <= m_rows.size())
        return false;
    const int first = m_rows.size();
    beginInsertRows(QModelIndex(), first, samples.size() - 1);
    for (int i = first; i < samples.size(); ++i)
        m_rows.append(samples[i]);
    endInsertRows();
    return true;
}

void ProcessValuesModel::clear()
{
    if (m_rows.isEmpty())
        return;
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

void ProcessValuesModel::setChinese(bool chinese)
{
    m_chinese = chinese;
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

int ProcessValuesModel::columnWidth(int column)
{
    static const int widths[ColumnCount] = {32, 0, 60, 54, 45, 62, 0, 71, 91};
    return column >= 0 && column < ColumnCount ? widths[column] : 0;
}

QString ProcessValuesModel::cellText(const RecordSample& s, int row, int column)
{
    const auto onOff = [](uint8_t flag) { return flag ? QStringLiteral("ON") : QStringLiteral("OFF"); };
    switch (column) {
    case No: return QString::number(row + 1);
    case Time: return QString::number(double(s.time), 'f', 1);
    case Tc: return shortest(s.tc);
    case DTdt: return shortest(s.dT);
    case Tb: return shortest(s.tb);
    case Fan: return onOff(s.fan);
    case Pump: return onOff(s.pump);
    case TopHeater: return onOff(s.topHeater);
    case BottomHeater: return onOff(s.bottomHeater);
    default: return QString();
    }
}

QString ProcessValuesModel::shortest(float v)
{
    // Whole numbers, which the station always sends, never in exponent form.
    if (std::isfinite(v) && v == std::trunc(v) && std::fabs(v) < 1e15f)
        return QString::number(static_cast<qint64>(v));
    return QString::number(double(v), 'g', QLocale::FloatingPointShortest);
}
