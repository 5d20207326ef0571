#pragma once

#include <optional>

#include <QDateTime>
#include <QPointer>
#include <QWidget>

#include "records/process_figures.h"

class QLabel;
class QMdiArea;
class QPushButton;
class QTabWidget;
class QTableWidget;
class Recording;
class RecordWindows;

// The tab page "Process figures": what the active record window's run did to the board
// (peak, time above liquidus, rates, soak, Tc - Tb), each figure with the process window's
// limits and a pass / fail mark, and the verdict. It follows the process-values table: a
// new sample, an activated window, Delete and Record all show there first, and the figures
// are computed again right after (only while the page is visible; a hidden page catches up
// when it is shown).
class FiguresPanel : public QWidget
{
    Q_OBJECT
public:
    enum Column { FigureColumn, TcColumn, TbColumn, LimitsColumn, MarkColumn, ColumnCount };
    static constexpr int RowCount = 8;

    // settingsFile: data/CommConfig.ini, which holds the process window.
    FiguresPanel(RecordWindows& windows, QMdiArea* mdiArea, const QString& settingsFile, QWidget* parent = nullptr);

    // Puts the panel on `tabs` as the page after the last one, and keeps that tab's title in
    // the interface language.
    void addToTabs(QTabWidget* tabs);

    // The figures of the active record window, now.
    void refresh();
    // Reads the process window from the settings file again (after the dialog).
    void reloadProcessWindow();
    const ProcessWindow& processWindow() const { return m_window; }

    // A figure's name in the interface language, shared with the process window dialog.
    static QString figureName(ProcessFigure figure);

    QTableWidget* table() const { return m_table; }
    QLabel* verdictLabel() const { return m_verdict; }
    QPushButton* processWindowButton() const { return m_windowButton; }

protected:
    void changeEvent(QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void scheduleRefresh();
    void showFigures(const Recording* record);
    void retranslateUi();
    void editProcessWindow();
    static std::optional<ProcessFigure> rowFigure(int row);

    QPointer<RecordWindows> m_windows;
    QString m_settingsFile;
    QDateTime m_settingsStamp;
    qint64 m_settingsSize = -1;
    ProcessWindow m_window;
    ProcessWindow m_unusableWindow; // as read, when it could not be used
    bool m_windowUnusable = false;
    QPointer<QTabWidget> m_tabs;
    QLabel* m_verdict = nullptr;
    QLabel* m_basis = nullptr;
    QTableWidget* m_table = nullptr;
    QPushButton* m_windowButton = nullptr;
    bool m_refreshPending = false;
    bool m_stale = true; // the figures shown are not those of the active record any more
};
