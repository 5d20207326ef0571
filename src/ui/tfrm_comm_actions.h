#pragma once

#include <QObject>

class QAction;
class QActionGroup;

// The action list of the main window. Each action carries the system's name as objectName,
// so the windows that give an action its behaviour (record windows, profile page, dialogs)
// reach it through TfrmComm::actions() or findChild<QAction*>("actnRecord").
// Actions whose behaviour lives elsewhere start disabled where the enabling rule says so;
// their owners connect `triggered` and keep the enabled state.
class TfrmCommActions : public QObject
{
    Q_OBJECT
public:
    explicit TfrmCommActions(QObject* parent);

    // Sets every caption, hint and tooltip in the current interface language.
    // `everChinese`: once the interface has been Chinese, the English caption of the
    // parameter protection entry is the translation table's, not the designed one.
    void retranslate(bool everChinese);

    // File
    QAction* newfile;
    QAction* actn_Open;
    QAction* actnExit;
    // Communication
    QAction* actnComunica;
    QAction* actnSayHello;
    QAction* actnIRProtect;
    // Others
    QAction* N2; // COM port setting
    QAction* actnOptions;
    QAction* actnParamProtect;
    QAction* actnEnglish;
    QAction* actnChinese;
    QActionGroup* languageGroup;
    QAction* menuQuickUp;
    // Window
    QAction* actnTile;
    QAction* actnCascade;
    QAction* actnArrangeIcons;
    // Help
    QAction* actnHelp;
    QAction* actnAbout;

    // Record, analysis, zoom and print commands: shown in the toolbar and in the record
    // windows' menus; their behaviour belongs to the record windows.
    QAction* actnSave;
    QAction* actnSaveas;
    QAction* actnRecord;
    QAction* actnDeleRec;
    QAction* actnLineDot;
    QAction* actnAddAnaly;
    QAction* actnErase;
    QAction* actnAEraseall;
    QAction* actnLineW1;
    QAction* actnLineW2;
    QAction* actnLineW3;
    QActionGroup* lineWidthGroup;
    QAction* actnOrignalSize;
    QAction* actnManlZoom;
    QAction* actnShitWindow;
    QAction* actnFitTo;
    QAction* actnPreView;
    QAction* actnPrint;
    QAction* actnPrintShow;

private:
    QAction* make(const char* name);
};
