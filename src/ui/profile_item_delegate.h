#pragma once

#include <QStyledItemDelegate>

class ProfileTable;

// The editors of tsGrid2: digits only for the numbers (the "sysLongInteger" mask), drop-down
// lists of the interface language for the list columns (chosen, never typed), free text for
// board and component. K1..K4 have no editor.
class ProfileItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    ProfileItemDelegate(const ProfileTable& table, QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

private:
    const ProfileTable& m_table;
};
