#pragma once

#include <QAbstractTableModel>
#include <QList>

#include "records/record_sample.h"

// The process-values table tsGrid1: one read-only row per sample of the active record
// window, nine columns. It keeps its own copy of the rows it shows, so a record window
// going away never leaves it pointing at freed samples.
class ProcessValuesModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { No, Time, Tc, DTdt, Tb, Fan, Pump, TopHeater, BottomHeater, ColumnCount };

    explicit ProcessValuesModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // FillProcessTable: one row per sample.
    void fill(const QList<RecordSample>& samples);
    // After a sample: rows for the samples not shown yet. True when rows were added.
    bool extend(const QList<RecordSample>& samples);
    // 0 rows.
    void clear();

    void setChinese(bool chinese);
    bool chinese() const { return m_chinese; }

    // The designed widths, 0 for the view's default.
    static int columnWidth(int column);
    // Texts of one cell, as the table shows them.
    static QString cellText(const RecordSample& s, int row, int column);
    // Shortest decimal form of a stored value.
    static QString shortest(float v);

private:
    QList<RecordSample> m_rows;
    bool m_chinese = false;
};
