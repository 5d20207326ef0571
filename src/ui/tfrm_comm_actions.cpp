#include "ui/tfrm_comm_actions.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>

namespace {

enum class Glyph { Record, Link, Cursor, AddDot, EraseDot, EraseAll, OneToOne, Zoom, ZoomRect, Fit, Preview, Print };

// Small drawn toolbar icons; the look of the icons is ours to choose.
QIcon glyphIcon(Glyph g)
{
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(QColor(40, 40, 40), 2);
    p.setPen(pen);
    switch (g) {
    case Glyph::Record:
        p.setBrush(QColor(210, 30, 30));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(12, 12), 7, 7);
        break;
    case Glyph::Link:
        p.setPen(QPen(QColor(0, 90, 180), 2));
        p.drawRoundedRect(3, 8, 8, 8, 2, 2);
        p.drawRoundedRect(13, 8, 8, 8, 2, 2);
        p.drawLine(8, 12, 16, 12);
        break;
    case Glyph::Cursor:
        p.setPen(QPen(QColor(0, 130, 0), 2));
        p.drawLine(12, 2, 12, 22);
        p.drawLine(2, 12, 22, 12);
        break;
    case Glyph::AddDot:
        p.setBrush(QColor(0, 130, 0));
        p.drawEllipse(QPointF(9, 12), 4, 4);
        p.drawLine(16, 12, 22, 12);
        p.drawLine(19, 9, 19, 15);
        break;
    case Glyph::EraseDot:
        p.setBrush(QColor(0, 130, 0));
        p.drawEllipse(QPointF(9, 12), 4, 4);
        p.drawLine(16, 12, 22, 12);
        break;
    case Glyph::EraseAll:
        p.setPen(QPen(QColor(190, 0, 0), 2));
        p.drawLine(5, 5, 19, 19);
        p.drawLine(19, 5, 5, 19);
        break;
    case Glyph::OneToOne: {
        QFont f = p.font();
        f.setPixelSize(10);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRect(0, 0, 24, 24), Qt::AlignCenter, QStringLiteral("1:1"));
        break;
    }
    case Glyph::Zoom:
    case Glyph::ZoomRect:
        p.drawEllipse(QPointF(10, 10), 6, 6);
        p.drawLine(14, 14, 21, 21);
        if (g == Glyph::ZoomRect) {
            p.setPen(QPen(QColor(0, 90, 180), 1, Qt::DashLine));
            p.drawRect(7, 7, 6, 6);
        }
        break;
    case Glyph::Fit:
        p.drawRect(4, 4, 16, 16);
        p.drawLine(8, 12, 16, 12);
        p.drawLine(12, 8, 12, 16);
        break;
    case Glyph::Preview:
        p.setBrush(Qt::white);
        p.drawRect(5, 3, 13, 17);
        p.drawEllipse(QPointF(14, 15), 4, 4);
        break;
    case Glyph::Print:
        p.setBrush(Qt::white);
        p.drawRect(7, 3, 10, 6);
        p.setBrush(QColor(150, 150, 150));
        p.drawRect(3, 9, 18, 8);
        p.setBrush(Qt::white);
        p.drawRect(7, 15, 10, 6);
        break;
    }
    return QIcon(pm);
}

QIcon styleIcon(QStyle::StandardPixmap sp)
{
    return QApplication::style()->standardIcon(sp);
}

} // namespace

TfrmCommActions::TfrmCommActions(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("ActionList1"));

    newfile = make("newfile");
    newfile->setIcon(styleIcon(QStyle::SP_FileIcon));
    actn_Open = make("actn_Open");
    actn_Open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    actn_Open->setIcon(styleIcon(QStyle::SP_DialogOpenButton));
    actnExit = make("actnExit");

    actnComunica = make("actnComunica");
    actnComunica->setCheckable(true);
    actnComunica->setShortcut(QKeySequence(Qt::Key_F8));
    actnComunica->setIcon(glyphIcon(Glyph::Link));
    actnSayHello = make("actnSayHello");
    actnSayHello->setVisible(false);
    actnIRProtect = make("actnIRProtect");

    N2 = make("N2");
    actnOptions = make("actnOptions");
    actnParamProtect = make("actnParamProtect");
    languageGroup = new QActionGroup(this);
    languageGroup->setObjectName(QStringLiteral("languageGroup"));
    actnEnglish = make("actnEnglish");
    actnEnglish->setCheckable(true);
    actnEnglish->setChecked(true);
    actnEnglish->setData(1);
    actnChinese = make("actnChinese");
    actnChinese->setCheckable(true);
    actnChinese->setData(2);
    languageGroup->addAction(actnEnglish);
    languageGroup->addAction(actnChinese);
    menuQuickUp = make("menuQuickUp");
    menuQuickUp->setCheckable(true);

    actnTile = make("actnTile");
    actnCascade = make("actnCascade");
    actnArrangeIcons = make("actnArrangeIcons");

    actnHelp = make("actnHelp");
    actnAbout = make("actnAbout");

    actnSave = make("actnSave");
    actnSave->setIcon(styleIcon(QStyle::SP_DialogSaveButton));
    actnSaveas = make("actnSaveas");
    actnRecord = make("actnRecord");
    actnRecord->setCheckable(true);
    actnRecord->setShortcut(QKeySequence(Qt::Key_F9));
    actnRecord->setIcon(glyphIcon(Glyph::Record));
    actnDeleRec = make("actnDeleRec");
    actnDeleRec->setShortcut(QKeySequence(Qt::Key_F10));
    actnDeleRec->setIcon(styleIcon(QStyle::SP_TrashIcon));
    actnLineDot = make("actnLineDot");
    actnLineDot->setCheckable(true);
    actnLineDot->setIcon(glyphIcon(Glyph::Cursor));
    actnAddAnaly = make("actnAddAnaly");
    actnAddAnaly->setIcon(glyphIcon(Glyph::AddDot));
    actnErase = make("actnErase");
    actnErase->setIcon(glyphIcon(Glyph::EraseDot));
    actnAEraseall = make("actnAEraseall");
    actnAEraseall->setIcon(glyphIcon(Glyph::EraseAll));
    lineWidthGroup = new QActionGroup(this);
    lineWidthGroup->setObjectName(QStringLiteral("lineWidthGroup"));
    actnLineW1 = make("actnLineW1");
    actnLineW2 = make("actnLineW2");
    actnLineW3 = make("actnLineW3");
    for (QAction* a : {actnLineW1, actnLineW2, actnLineW3}) {
        a->setCheckable(true);
        lineWidthGroup->addAction(a);
    }
    actnLineW1->setChecked(true);
    actnOrignalSize = make("actnOrignalSize");
    actnOrignalSize->setIcon(glyphIcon(Glyph::OneToOne));
    actnManlZoom = make("actnManlZoom");
    actnManlZoom->setCheckable(true);
    actnManlZoom->setIcon(glyphIcon(Glyph::Zoom));
    actnShitWindow = make("actnShitWindow");
    actnShitWindow->setCheckable(true);
    actnShitWindow->setIcon(glyphIcon(Glyph::ZoomRect));
    actnFitTo = make("actnFitTo");
    actnFitTo->setIcon(glyphIcon(Glyph::Fit));
    actnPreView = make("actnPreView");
    actnPreView->setIcon(glyphIcon(Glyph::Preview));
    actnPrint = make("actnPrint");
    actnPrint->setIcon(glyphIcon(Glyph::Print));
    actnPrintShow = make("actnPrintShow");

    // Nothing to act on until a record window exists; the record windows keep these.
    for (QAction* a : {actnSave, actnRecord, actnDeleRec, actnLineDot, actnAddAnaly, actnErase, actnAEraseall,
                       actnOrignalSize, actnManlZoom, actnShitWindow, actnFitTo, actnPreView, actnPrint,
                       actnPrintShow})
        a->setEnabled(false);

    retranslate(false);
}

QAction* TfrmCommActions::make(const char* name)
{
    auto* a = new QAction(this);
    a->setObjectName(QLatin1String(name));
    return a;
}

void TfrmCommActions::retranslate(bool everChinese)
{
    auto set = [](QAction* a, const QString& caption, const QString& hint = QString()) {
        a->setText(caption);
        a->setIconText(caption);
        // Without a hint Qt derives the tooltip from the caption, without "&" and "...".
        a->setToolTip(hint);
        a->setStatusTip(hint);
    };

    set(newfile, tr("New"));
    set(actn_Open, tr("&Open..."));
    set(actnExit, tr("Exit"), tr("the apllication terminal"));
    set(actnComunica, tr("communication"), tr("communication on/off"));
    set(actnSayHello, tr("say hello"), tr("say hello to MFC"));
    set(actnIRProtect, tr("IR protection"));
    set(N2, tr("COM port setting"));
    set(actnOptions, tr("Options..."));
    set(actnParamProtect, everChinese ? tr("Parameter list protection...") : tr("Parameter protection..."));
    set(actnEnglish, tr("English"));
    set(actnChinese, tr("Chinese"));
    set(menuQuickUp, tr("Quick upload"));
    set(actnTile, tr("&Title array"));
    set(actnCascade, tr("&Window cascade"));
    set(actnArrangeIcons, tr("&Icons array"));
    set(actnHelp, tr("Tamsel help"));
    set(actnAbout, tr("About"));

    set(actnSave, tr("Save"), tr("Save"));
    set(actnSaveas, tr("Save as..."), tr("Save as..."));
    set(actnRecord, tr("Record"), tr("Record"));
    set(actnDeleRec, tr("Delete"), tr("Delete recording"));
    set(actnLineDot, tr("Analysis cursor"), tr("Analysis cusor show/hide"));
    set(actnAddAnaly, tr("Add analysis dot"), tr("Add analysys dot"));
    set(actnErase, tr("Erase last analysis dot"), tr("Erase last analysis dot", "hint"));
    // This hint has no Chinese text.
    set(actnAEraseall, tr("Erase all analysis dots"), QStringLiteral("Erase all analysis dots"));
    set(actnLineW1, tr("Small"));
    set(actnLineW2, tr("Medium"));
    set(actnLineW3, tr("Large"));
    // The zoom commands are toolbar buttons only: they have hints, no captions.
    set(actnOrignalSize, tr("Orginal size"), tr("Orginal size"));
    set(actnManlZoom, tr("Manual zoom"), tr("Manual zoom"));
    set(actnShitWindow, tr("Zoom to selected window"), tr("Zoom to selected window"));
    set(actnFitTo, tr("Fit to window"), tr("Fit to window"));
    set(actnPreView, tr("Preview"), tr("show a complete page"));
    set(actnPrint, tr("Print"), tr("prints the document"));
    set(actnPrintShow, tr("Print..."));
}
