#pragma once

#include <array>
#include <vector>

#include <QAbstractTableModel>
#include <QVariant>

#include "profiles/profile_values.h"

// One profile: 21 cells, each nothing, a text or a number.
using ProfileRow = std::array<QVariant, ProfileColumn::Count>;

// The profile table behind the grid tsGrid2. Rows are addressed by DataRow (1-based, the
// order of loading and appending, the model's row + 1); the grid may show them in another
// order (DisplayPosition, 1-based), which the view reports through moveDisplayPosition so
// that saving can write the rows as the user sees them. Columns are 1 to 21; K1..K4 are
// kept but not shown.
//
// Cell/SetCell/SetRowCount are the program's own changes; setData is the user's typing and
// applies the empty-number rule.
class ProfileTable : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit ProfileTable(QObject* parent = nullptr);

    // The program's access, 1-based. Out-of-range reads give nothing, writes are ignored.
    QVariant Cell(int column, int dataRow) const;
    void SetCell(int column, int dataRow, const QVariant& value);
    const ProfileRow& row(int dataRow) const;
    int RowCount() const { return static_cast<int>(m_rows.size()); }
    void SetRowCount(int n);
    // Appends an empty row and returns its DataRow.
    int appendRow();
    void DeleteRows(int first, int last);
    // Replaces every row at once (loading); the display order starts again as loaded and the
    // current cell stays on its row number (the first row when the table was empty).
    void replaceRows(std::vector<ProfileRow> rows);

    // Where the rows came from, so that shutdown never writes a table nobody asked for over
    // a file: the four empty rows of a new window, the file's rows, or the rows left after
    // the file could not be read.
    enum class Origin { Initial, Loaded, LoadFailed };
    Origin origin() const { return m_origin; }
    void setOrigin(Origin origin) { m_origin = origin; }
    // Any change of cells, rows or row order since the rows were created or loaded; a
    // language switch translating word cells is no edit.
    bool isEdited() const { return m_edited; }

    // CurrentRow: DataRow of the current cell, 0 when there is none.
    int CurrentRow() const { return m_currentRow; }
    int currentColumn() const { return m_currentColumn; }
    // The view reports the user's current cell here.
    void setCurrentCell(int dataRow, int column);
    // Moves the current cell to `dataRow`, keeping its column; the view follows through
    // currentCellMoved.
    void MakeCurrent(int dataRow);

    int DisplayPosition(int dataRow) const;
    int DataRowAt(int displayPosition) const;
    // The row shown at `from` is now shown at `to` (the header's moveSection, 1-based).
    void moveDisplayPosition(int from, int to);

    // While read-only no cell can be edited by the user; the program still writes.
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_readOnly; }

    // Headings and the word-valued cells of columns 3, 13, 14 and 15 switch to `language`.
    void applyLanguage(TableLanguage language);
    TableLanguage language() const { return m_language; }
    // The language of texts the program writes into cells (Design counts as English).
    TableLanguage textLanguage() const;
    void setUnitTexts(const UnitTexts& units) { m_units = units; }
    const UnitTexts& unitTexts() const { return m_units; }

    // The codes a row's texts stand for.
    bool isDesoldering(int dataRow) const;
    bool isIrSensor(int dataRow) const;
    bool isCelsius(int dataRow) const;

    // QAbstractTableModel
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    void currentCellMoved(int dataRow, int column);
    void readOnlyChanged(bool readOnly);

private:
    void removeFromDisplay(int first, int last);

    std::vector<ProfileRow> m_rows;
    std::vector<int> m_display; // DataRow shown at each position
    int m_currentRow = 0;
    int m_currentColumn = 1;
    bool m_readOnly = false;
    Origin m_origin = Origin::Initial;
    bool m_edited = false;
    TableLanguage m_language = TableLanguage::Design;
    UnitTexts m_units;
};
