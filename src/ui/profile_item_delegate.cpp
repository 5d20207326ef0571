#include "ui/profile_item_delegate.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "profiles/profile_table.h"

ProfileItemDelegate::ProfileItemDelegate(const ProfileTable& table, QObject* parent)
    : QStyledItemDelegate(parent)
    , m_table(table)
{
}

QWidget* ProfileItemDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                           const QModelIndex& index) const
{
    const int column = index.column() + 1;
    if (ProfileColumn::isK(column))
        return nullptr;
    if (ProfileColumn::isList(column)) {
        auto* box = new QComboBox(parent);
        box->setObjectName(QStringLiteral("tsGrid2List%1").arg(column));
        box->setEditable(false);
        const QStringList items = dropDownItems(column, m_table.textLanguage(), m_table.unitTexts());
        box->addItems(items);
        box->setMaxVisibleItems(int(items.size()));
        // A choice is the cell's new value at once.
        connect(box, &QComboBox::activated, this, [this, box] {
            emit const_cast<ProfileItemDelegate*>(this)->commitData(box);
        });
        return box;
    }
    auto* edit = new QLineEdit(parent);
    if (ProfileColumn::isNumeric(column)) {
        // Unsigned digits only.
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    Q_UNUSED(option);
    return edit;
}

void ProfileItemDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        box->setCurrentIndex(box->findText(index.data(Qt::EditRole).toString(), Qt::MatchExactly));
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void ProfileItemDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        // Closing the list without a choice leaves the cell as it was.
        if (box->currentIndex() >= 0)
            model->setData(index, box->currentText(), Qt::EditRole);
        return;
    }
    // Leaving a cell without changing it is no change (an empty number stays empty).
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        if (edit->text() == index.data(Qt::EditRole).toString())
            return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}
