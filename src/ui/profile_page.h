#pragma once

#include <cstdint>

#include <QWidget>

#include "profiles/profile_file.h"
#include "profiles/row_copy_buffer.h"
#include "shell/language.h"

class LinkWaits;
class ProfilePaintBox;
class ProfileStationAccess;
class ProfileTable;
class QAction;
class QLabel;
class QMenu;
class QTableView;
struct UnitTexts;

// The tab page "Profiles/Parameters": the profile table tsGrid2 and, to its right, the
// preview box DBufPaintBox2. The page owns the table, the row copy buffer and the table's
// commands (actn_download, actn_Upload, actn_DandAdd, actn_Delarow, EditCopy1, EditPaste1),
// which its context menu lists. The station side is reached through ProfileStationAccess,
// which the main window supplies.
class ProfilePage : public QWidget
{
    Q_OBJECT
public:
    explicit ProfilePage(QWidget* parent = nullptr);
    ~ProfilePage() override;

    ProfileTable& table() { return *m_table; }
    QTableView* grid() const { return m_grid; }
    ProfilePaintBox* previewBox() const { return m_preview; }
    // Names the row the preview shows (its row number and board): the preview follows a row
    // chosen with the row bar, while the station commands take the row of the current cell.
    QLabel* previewCaption() const { return m_previewCaption; }
    // DataRow of the profile the preview shows, 0 for none.
    int previewedRow() const { return m_previewRow; }
    QMenu* contextMenu() const { return m_menu; }

    // Must be set before a station command runs; the page does not own it.
    void setStationAccess(ProfileStationAccess* access) { m_access = access; }
    // The waits of the upload; the program's event-loop waits unless a test sets others.
    void setWaits(LinkWaits* waits) { m_waits = waits; }

    // English unit texts of the settings file (sheshi, huashi).
    void setUnitTexts(const UnitTexts& units);
    // The language switch: headings and word-valued cells of the table.
    void applyLanguage(Language language);
    // While the parameter list is protected no cell can be edited; the commands stay.
    void setParameterListLocked(bool locked);
    // Enables actn_Upload (communication on, no process running) and actn_download
    // (communication on) from the station access; the context menu calls it too.
    void updateActionStates();

    // First show: reads data/model.irl (a damaged file: an error box, the table stays) and
    // previews the current row. False when the file could not be read.
    bool loadTable(const ProfileFilePaths& paths);
    // Shutdown: SaveProfileTable. On failure *errorText holds the message for the user.
    bool saveTable(const ProfileFilePaths& paths, int32_t& currentLc, QString* errorText = nullptr);

    // PreviewProfile(CurrentRow) when the table has rows and a row is current.
    void previewCurrentRow();

    // For Begin's quick upload: the current row's 0-based index (-1 for none), the board of
    // a 0-based row index (empty when it names no row), and the central upload step for the
    // current row (nothing without one).
    int selectedRowIndex() const;
    QString boardOfRowIndex(int index) const;
    void writeSelectedRowToStation();

    // The commands, also reachable through their actions.
    void UploadProfile();
    void DownloadProfile();
    void AddProfileRow();
    void DeleteRow();
    void Copy();
    void Paste();

    QAction* actn_download = nullptr;
    QAction* actn_Upload = nullptr;
    QAction* actn_DandAdd = nullptr;
    QAction* actn_Delarow = nullptr;
    QAction* EditCopy1 = nullptr;
    QAction* EditPaste1 = nullptr;

protected:
    void changeEvent(QEvent* e) override;

private:
    void buildGrid();
    void buildActions();
    void retranslateUi();
    bool refuseTransfer();
    void syncCurrentFromModel(int dataRow, int column);
    void waitRounds(int rounds);
    void updatePreviewCaption();

    ProfileTable* m_table = nullptr;
    QTableView* m_grid = nullptr;
    ProfilePaintBox* m_preview = nullptr;
    QLabel* m_previewCaption = nullptr;
    int m_previewRow = 0;
    QMenu* m_menu = nullptr;
    RowCopyBuffer m_copyBuffer;
    ProfileStationAccess* m_access = nullptr;
    LinkWaits* m_waits = nullptr;
};
