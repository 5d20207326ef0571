#include "ui/profile_page.h"

#include <QAction>
#include <QDir>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QTableView>
#include <QVBoxLayout>

#include "link/link_waits.h"
#include "profiles/profile_preview.h"
#include "profiles/profile_station_access.h"
#include "profiles/profile_table.h"
#include "profiles/profile_transfer.h"
#include "ui/profile_item_delegate.h"
#include "ui/profile_paint_box.h"
#include "ui/translated_message_box.h"

namespace {

// Column widths of the design; 0 keeps the view's default.
const int kColumnWidths[ProfileColumn::Count] = { 57, 71, 74, 50, 50, 50, 50, 50, 50, 50, 50, 50,
                                                  75, 45, 72, 0, 62, 0, 0, 0, 0 };

} // namespace

ProfilePage::ProfilePage(QWidget* parent)
    : QWidget(parent)
    , m_table(new ProfileTable(this))
    , m_waits(&EventLoopWaits::instance())
{
    setObjectName(QStringLiteral("ProfilePage"));
    buildGrid();
    m_preview = new ProfilePaintBox(QSize(224, 149), this);
    m_preview->setObjectName(QStringLiteral("DBufPaintBox2"));
    m_preview->setMinimumSize(40, 40);
    m_preview->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);

    m_previewCaption = new QLabel(this);
    m_previewCaption->setObjectName(QStringLiteral("previewCaption"));
    m_previewCaption->setMaximumWidth(m_preview->sizeHint().width());

    auto* previewColumn = new QVBoxLayout;
    previewColumn->setContentsMargins(0, 0, 0, 0);
    previewColumn->setSpacing(2);
    previewColumn->addWidget(m_previewCaption, 0);
    previewColumn->addWidget(m_preview, 1);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_grid, 1);
    layout->addLayout(previewColumn, 0);

    // The caption follows its row through edits, deletions and reloads.
    connect(m_table, &QAbstractItemModel::dataChanged, this, &ProfilePage::updatePreviewCaption);
    connect(m_table, &QAbstractItemModel::rowsRemoved, this, [this](const QModelIndex&, int first, int last) {
        if (m_previewRow - 1 > last)
            m_previewRow -= last - first + 1;
        else if (m_previewRow - 1 >= first)
            m_previewRow = 0;
        updatePreviewCaption();
    });
    connect(m_table, &QAbstractItemModel::modelReset, this, [this] {
        m_previewRow = 0;
        updatePreviewCaption();
    });

    buildActions();
    retranslateUi();

    // The empty frame until a profile is drawn.
    drawPreviewStartupFrame(m_preview->image());
    m_preview->present();
}

ProfilePage::~ProfilePage()
{
    // An editor still open commits its text when the grid is hidden during teardown; by then
    // this page is no longer there to redraw its caption.
    disconnect(m_table, nullptr, this, nullptr);
}

void ProfilePage::buildGrid()
{
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("tsGrid2"));
    m_grid->setModel(m_table);
    m_grid->setItemDelegate(new ProfileItemDelegate(*m_table, m_grid));
    m_grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                            | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    for (int c = 0; c < ProfileColumn::Count; ++c) {
        if (kColumnWidths[c] > 0)
            m_grid->setColumnWidth(c, kColumnWidths[c]);
    }
    for (int c = ProfileColumn::K1; c <= ProfileColumn::K4; ++c)
        m_grid->setColumnHidden(c - 1, true);

    QHeaderView* rows = m_grid->verticalHeader();
    rows->setSectionsMovable(true);
    rows->setSectionsClickable(true);
    // The row bar's order is the one saving writes.
    connect(rows, &QHeaderView::sectionMoved, this,
            [this](int, int oldVisual, int newVisual) { m_table->moveDisplayPosition(oldVisual + 1, newVisual + 1); });
    // A row chosen with the row bar is a selection by the user: preview it.
    connect(rows, &QHeaderView::sectionClicked, this, [this](int logical) {
        m_table->setCurrentCell(logical + 1, m_table->currentColumn());
        previewCurrentRow();
    });

    connect(m_grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    m_table->setCurrentCell(current.row() + 1, current.column() + 1);
                else
                    m_table->setCurrentCell(0, 0);
            });
    connect(m_table, &ProfileTable::currentCellMoved, this, &ProfilePage::syncCurrentFromModel);
    connect(m_grid, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        updateActionStates();
        m_menu->popup(m_grid->viewport()->mapToGlobal(pos));
    });

    // The grid starts on its first row, as the table's designed grid does.
    m_table->MakeCurrent(1);
}

void ProfilePage::buildActions()
{
    auto make = [this](const char* name) {
        auto* a = new QAction(this);
        a->setObjectName(QLatin1String(name));
        return a;
    };
    actn_download = make("actn_download");
    actn_Upload = make("actn_Upload");
    actn_DandAdd = make("actn_DandAdd");
    actn_Delarow = make("actn_Delarow");
    EditCopy1 = make("EditCopy1");
    EditPaste1 = make("EditPaste1");
    EditCopy1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    EditPaste1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    // The shortcuts work while the table has the focus; the grid would otherwise take Ctrl+C
    // for the system clipboard.
    for (QAction* a : { EditCopy1, EditPaste1 }) {
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(a);
    }
    actn_download->setEnabled(false);
    actn_Upload->setEnabled(false);

    connect(actn_download, &QAction::triggered, this, &ProfilePage::DownloadProfile);
    connect(actn_Upload, &QAction::triggered, this, &ProfilePage::UploadProfile);
    connect(actn_DandAdd, &QAction::triggered, this, &ProfilePage::AddProfileRow);
    connect(actn_Delarow, &QAction::triggered, this, &ProfilePage::DeleteRow);
    connect(EditCopy1, &QAction::triggered, this, &ProfilePage::Copy);
    connect(EditPaste1, &QAction::triggered, this, &ProfilePage::Paste);

    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("PopupMenu2"));
    m_menu->addAction(actn_download);
    m_menu->addAction(actn_Upload);
    m_menu->addSeparator();
    m_menu->addAction(actn_DandAdd);
    m_menu->addAction(actn_Delarow);
    m_menu->addSeparator();
    m_menu->addAction(EditCopy1);
    m_menu->addAction(EditPaste1);
}

void ProfilePage::retranslateUi()
{
    actn_download->setText(tr("profile download"));
    actn_Upload->setText(tr("upload profile"));
    actn_DandAdd->setText(tr("Add a row"));
    actn_Delarow->setText(tr("Del the row"));
    EditCopy1->setText(tr("&Copy"));
    EditPaste1->setText(tr("&Paste"));
    // The hints have no Chinese text.
    EditCopy1->setToolTip(QStringLiteral("Copy"));
    EditCopy1->setStatusTip(QStringLiteral("Copies the selection and puts it on the Clipboard"));
    EditPaste1->setToolTip(QStringLiteral("Paste"));
    EditPaste1->setStatusTip(QStringLiteral("Inserts Clipboard contents"));
    updatePreviewCaption();
}

void ProfilePage::updatePreviewCaption()
{
    if (!m_previewCaption)
        return;
    if (m_previewRow < 1 || m_previewRow > m_table->RowCount()) {
        m_previewCaption->clear();
        return;
    }
    const QString board = cellText(m_table->Cell(ProfileColumn::Board, m_previewRow));
    m_previewCaption->setText(tr("Row %1: %2").arg(m_previewRow).arg(board));
}

void ProfilePage::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::LanguageChange)
        retranslateUi();
    QWidget::changeEvent(e);
}

void ProfilePage::setUnitTexts(const UnitTexts& units)
{
    m_table->setUnitTexts(units);
}

void ProfilePage::applyLanguage(Language language)
{
    m_table->applyLanguage(language);
}

void ProfilePage::setParameterListLocked(bool locked)
{
    // An editor still open then finds the table refusing its text.
    m_table->setReadOnly(locked);
}

void ProfilePage::updateActionStates()
{
    const bool on = m_access && m_access->communicationOn();
    actn_download->setEnabled(on);
    actn_Upload->setEnabled(on && !m_access->processRunning());
}

void ProfilePage::syncCurrentFromModel(int dataRow, int column)
{
    const QModelIndex i = m_table->index(dataRow - 1, column - 1);
    if (i.isValid() && m_grid->selectionModel()->currentIndex() != i)
        m_grid->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
}

bool ProfilePage::loadTable(const ProfileFilePaths& paths)
{
    ProfileFileError error;
    const bool ok = LoadProfileTable(*m_table, paths.modelFile(), &error);
    if (!ok) {
        const QString detail = error.kind == ProfileFileError::Truncated
            ? tr("the file holds fewer profiles than it announces")
            : error.detail;
        TranslatedMessageBox::error(this, tr("I/O error reading \"%1\": %2")
                                              .arg(QDir::toNativeSeparators(error.fileName), detail));
    }
    previewCurrentRow();
    return ok;
}

bool ProfilePage::saveTable(const ProfileFilePaths& paths, int32_t& currentLc, QString* errorText)
{
    ProfileFileError error;
    if (SaveProfileTable(*m_table, paths, currentLc, &error))
        return true;
    if (errorText)
        *errorText = tr("I/O error writing \"%1\": %2").arg(QDir::toNativeSeparators(error.fileName), error.detail);
    return false;
}

void ProfilePage::previewCurrentRow()
{
    if (m_table->RowCount() == 0 || m_table->CurrentRow() == 0)
        return;
    PreviewProfile(m_preview->image(), *m_table, m_table->CurrentRow());
    m_preview->present();
    m_previewRow = m_table->CurrentRow();
    updatePreviewCaption();
}

int ProfilePage::selectedRowIndex() const
{
    return m_table->CurrentRow() - 1;
}

QString ProfilePage::boardOfRowIndex(int index) const
{
    return cellText(m_table->Cell(ProfileColumn::Board, index + 1));
}

void ProfilePage::writeSelectedRowToStation()
{
    // Without a current row there is no profile to send; a row of zeros would replace the
    // station's.
    if (m_access && m_table->CurrentRow() != 0)
        WriteProfileToStatusImage(*m_table, m_table->CurrentRow(), *m_access);
}

bool ProfilePage::refuseTransfer()
{
    switch (transferRefusal(*m_table, m_access->parameterListLocked())) {
    case TransferRefusal::Protected:
        TranslatedMessageBox::warning(this, tr("The parameter list is protected.") + QLatin1Char('\n')
                                                + tr("To modify the list you have to deactivate the password protection."));
        return true;
    case TransferRefusal::NoItem:
        TranslatedMessageBox::warning(this, tr("no item!"));
        return true;
    case TransferRefusal::None:
        break;
    }
    // Until the first status frame has arrived there is no station image to build the
    // command from or to read a profile out of; say so instead of sending nothing silently.
    if (m_access->flowText().isEmpty()) {
        TranslatedMessageBox::warning(this, tr("The MCU has not answered yet. Please wait until communication is established."));
        return true;
    }
    return false;
}

void ProfilePage::waitRounds(int rounds)
{
    for (int i = 0; i < rounds; ++i)
        m_waits->processMessagesThenWait(50);
}

void ProfilePage::UploadProfile()
{
    if (!m_access || refuseTransfer())
        return;
    if (!TranslatedMessageBox::confirm(this, tr("Are you sure upload to flow %1?").arg(m_access->flowText())))
        return;
    const int row = m_table->CurrentRow();
    m_access->PauseSupervision();
    waitRounds(5);
    WriteProfileToStatusImage(*m_table, row, *m_access);
    waitRounds(10);
    m_access->ResumeSupervision();
}

void ProfilePage::DownloadProfile()
{
    if (!m_access || !m_access->communicationOn())
        return;
    if (refuseTransfer())
        return;
    const QString board = boardOfRowIndex(selectedRowIndex());
    if (!TranslatedMessageBox::confirm(this, tr("Are you sure download to board\"%1\"?").arg(board)))
        return;
    downloadProfileIntoRow(*m_table, m_table->CurrentRow(), m_access->statusImage());
}

void ProfilePage::AddProfileRow()
{
    if (m_access) {
        ::AddProfileRow(*m_table, *m_access);
        return;
    }
    m_table->MakeCurrent(m_table->appendRow());
}

void ProfilePage::DeleteRow()
{
    if (m_table->RowCount() == 0)
        return;
    const QString board = boardOfRowIndex(selectedRowIndex());
    if (!TranslatedMessageBox::confirm(this, tr("Are you sure delete the row\"%1\"?").arg(board)))
        return;
    const int row = m_table->CurrentRow();
    if (row != 0)
        m_table->DeleteRows(row, row);
}

void ProfilePage::Copy()
{
    m_copyBuffer.Copy(*m_table);
}

void ProfilePage::Paste()
{
    m_copyBuffer.Paste(*m_table);
}
