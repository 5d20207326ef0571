#pragma once

#include <functional>

#include <QObject>

class QAction;
class TfrmChild;
class TfrmCommActions;

// The main window's analysis, line and zoom commands acting on the active record window:
// actnLineDot, actnAddAnaly, actnErase, actnAEraseall, actnOrignalSize, actnManlZoom,
// actnShitWindow and actnFitTo. Their checked states are the program's, shared by all
// record windows; the cursor, the dots and the zoom mode belong to each window.
class ChartAnalysisCommands : public QObject
{
    Q_OBJECT
public:
    ChartAnalysisCommands(TfrmCommActions& actions, std::function<TfrmChild*()> activeWindow,
                          std::function<bool()> anyWindow, QObject* parent = nullptr);

    void updateActionStates();

private:
    void switchCursor(bool on);
    // One zoom mode on or off; `other` is the other mode's action, switched off first.
    void switchZoomMode(QAction* action, QAction* other, int mode, bool on);

    TfrmCommActions& m_actions;
    std::function<TfrmChild*()> m_active;
    std::function<bool()> m_anyWindow;
};
