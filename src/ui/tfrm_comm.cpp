#include "ui/tfrm_comm.h"

#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include "link/serial_transport.h"
#include "link/station_link.h"
#include "link/clock.h"
#include "ui/live_panel.h"
#include "ui/merged_menus.h"
#include "ui/tfrm_comm_actions.h"
#include "ui/tfrm_comm_begin_hooks.h"
#include "ui/tfrm_msg.h"
#include "ui/ui_language.h"

TfrmComm::TfrmComm(const ProgramPaths& paths, PortTransport* transport, const Clock* clock, QWidget* parent)
    : QMainWindow(parent)
    , m_paths(paths)
{
    setObjectName(QStringLiteral("frmComm"));
    setWindowTitle(QStringLiteral("Tamsel"));
    setWindowIcon(programIcon());

    if (!transport) {
        auto serial = std::make_unique<SerialTransport>();
        serial->setObjectName(QStringLiteral("ComPort1"));
        transport = serial.get();
        m_ownTransport = std::move(serial);
    }
    m_link = std::make_unique<StationLink>(*transport, clock ? *clock : SystemClock::instance());
    m_link->setObjectName(QStringLiteral("StationLink"));

    m_actions = new TfrmCommActions(this);
    m_beginHooks = std::make_unique<TfrmCommBeginHooks>(*m_actions);
    buildActionsAndMenus();
    buildToolBar();
    buildCentre();
    buildStatusBar();
    fillWindowMenu();
    retranslateUi();
    wireLink();

    // The profile page, the record windows and the dialogs that give the actions their
    // behaviour are put in place before the start-up steps run.
    installParts();
    startUp();
}

TfrmComm::~TfrmComm()
{
    shutdown();
    // Tearing the frame down activates and closes sub-windows; nothing is to react now.
    m_destroying = true;
    m_mdiArea->disconnect(this);
    // The record windows go while this is still the main window their controller reports to
    // (the recording target, the status bar); left to QWidget's teardown they would call back
    // into a half-destroyed frame.
    // Closed ones waiting for their deleteLater are no longer listed by the area: all of them.
    const QList<QMdiSubWindow*> subs = m_mdiArea->findChildren<QMdiSubWindow*>();
    QList<QPointer<QMdiSubWindow>> guarded(subs.begin(), subs.end());
    for (const QPointer<QMdiSubWindow>& sub : guarded)
        delete sub.data();
    // The link goes before the widgets it reports to.
    m_link.reset();
    m_ownTransport.reset();
}

void TfrmComm::setStatusWindow(Tfrmmsg* statusWindow)
{
    m_statusWindow = statusWindow;
}

// --- the frame ----------------------------------------------------------------------------

QIcon TfrmComm::programIcon()
{
    // A heater over a board: the icon is ours to choose.
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 60, 140));
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 5, 5);
    p.setBrush(QColor(230, 40, 30));
    p.drawRect(QRectF(6, 7, 20, 5));
    p.setPen(QPen(QColor(255, 170, 40), 2));
    for (int x : {10, 16, 22})
        p.drawLine(x, 14, x, 19);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 160, 70));
    p.drawRect(QRectF(5, 21, 22, 5));
    return QIcon(pm);
}

void TfrmComm::buildActionsAndMenus()
{
    TfrmCommActions& a = *m_actions;
    m_fileMenu = new QMenu(this);
    m_fileMenu->setObjectName(QStringLiteral("File1"));
    m_fileMenu->addAction(a.newfile);
    m_fileMenu->addAction(a.actn_Open);
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(a.actnExit);

    m_commMenu = new QMenu(this);
    m_commMenu->setObjectName(QStringLiteral("Communication1"));
    m_commMenu->addAction(a.actnComunica);
    m_commMenu->addAction(a.actnSayHello);
    m_commMenu->addSeparator();
    m_commMenu->addAction(a.actnIRProtect);

    m_othersMenu = new QMenu(this);
    m_othersMenu->setObjectName(QStringLiteral("Others1"));
    m_othersMenu->addAction(a.N2);
    m_othersMenu->addAction(a.actnOptions);
    m_othersMenu->addSeparator();
    m_othersMenu->addAction(a.actnParamProtect);
    m_othersMenu->addSeparator();
    m_languageMenu = m_othersMenu->addMenu(QString());
    m_languageMenu->setObjectName(QStringLiteral("Language1"));
    m_languageMenu->addAction(a.actnEnglish);
    m_languageMenu->addAction(a.actnChinese);
    m_othersMenu->addSeparator();
    m_othersMenu->addAction(a.menuQuickUp);

    m_windowMenu = new QMenu(this);
    m_windowMenu->setObjectName(QStringLiteral("Window1"));
    connect(m_windowMenu, &QMenu::aboutToShow, this, &TfrmComm::fillWindowMenu);

    m_helpMenu = new QMenu(this);
    m_helpMenu->setObjectName(QStringLiteral("Help1"));
    m_helpMenu->addAction(a.actnHelp);
    m_helpMenu->addAction(a.actnAbout);

    // Shortcuts work while their menu is merged away, too.
    addActions(m_actions->findChildren<QAction*>(QString(), Qt::FindDirectChildrenOnly));

    connect(a.actnExit, &QAction::triggered, this, &QWidget::close);
    connect(a.actnTile, &QAction::triggered, this, &TfrmComm::tileHorizontally);
    connect(a.actnCascade, &QAction::triggered, this, [this] { m_mdiArea->cascadeSubWindows(); });
    connect(a.actnArrangeIcons, &QAction::triggered, this, &TfrmComm::arrangeIcons);
    connect(a.actnHelp, &QAction::triggered, this, &TfrmComm::openHelp);
    connect(a.actnAbout, &QAction::triggered, this, &TfrmComm::showAbout);
    connect(a.actnEnglish, &QAction::triggered, this, [this] { switchLanguage(Language::English); });
    connect(a.actnChinese, &QAction::triggered, this, [this] { switchLanguage(Language::Chinese); });
    rebuildMenuBar();
}

void TfrmComm::buildToolBar()
{
    TfrmCommActions& a = *m_actions;
    m_toolBar = addToolBar(QString());
    m_toolBar->setObjectName(QStringLiteral("ToolBar1"));
    m_toolBar->setMovable(false);
    m_toolBar->setIconSize(QSize(24, 24));
    m_toolBar->addAction(a.actn_Open);
    m_toolBar->addAction(a.actnSave);
    m_toolBar->addSeparator();
    m_toolBar->addAction(a.actnRecord);
    m_toolBar->addAction(a.actnDeleRec);
    m_toolBar->addAction(a.actnComunica);
    m_toolBar->addSeparator();
    m_toolBar->addAction(a.actnLineDot);
    m_toolBar->addAction(a.actnAddAnaly);
    m_toolBar->addAction(a.actnErase);
    m_toolBar->addAction(a.actnAEraseall);
    m_toolBar->addSeparator();
    m_toolBar->addAction(a.actnOrignalSize);
    m_toolBar->addAction(a.actnManlZoom);
    m_toolBar->addAction(a.actnShitWindow);
    m_toolBar->addAction(a.actnFitTo);
    m_toolBar->addSeparator();
    m_toolBar->addAction(a.actnPreView);
    m_toolBar->addAction(a.actnPrint);
}

void TfrmComm::buildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    const int widths[4] = {300, 80, 76, 120};
    for (int i = 0; i < 4; ++i) {
        auto* l = new QLabel(bar);
        l->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setMinimumWidth(widths[i]);
        // Permanent: a hint of a menu entry or toolbar button takes the space to their left
        // instead of hiding them.
        bar->addPermanentWidget(l, 0);
        m_statusPanels[size_t(i)] = l;
    }
    m_statusPanels[2]->setText(StationLink::portClosedText());
    m_statusPanels[3]->setText(FrameAssembler::crcErrorText(0));
}

void TfrmComm::buildCentre()
{
    m_mdiArea = new QMdiArea;
    m_mdiArea->setObjectName(QStringLiteral("ClientArea"));
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, [this] { rebuildMenuBar(); });

    m_pageControl = new QTabWidget;
    m_pageControl->setObjectName(QStringLiteral("PageControl1"));
    for (int i = 0; i < 3; ++i) {
        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("TabSheet%1").arg(i + 1));
        auto* layout = new QVBoxLayout(page);
        layout->setContentsMargins(2, 2, 2, 2);
        m_pageControl->addTab(page, QString());
        m_pages[size_t(i)] = page;
    }

    m_livePanel = new LivePanel;

    m_splitterV = new QSplitter(Qt::Vertical);
    m_splitterV->setObjectName(QStringLiteral("Splitter1"));
    m_splitterV->addWidget(m_mdiArea);
    m_splitterV->addWidget(m_pageControl);
    m_splitterV->setStretchFactor(0, 1);
    m_splitterV->setStretchFactor(1, 1);
    m_splitterV->setChildrenCollapsible(false);
    m_splitterV->setSizes({420, 300});

    m_splitterH = new QSplitter(Qt::Horizontal);
    m_splitterH->setObjectName(QStringLiteral("Splitter2"));
    m_splitterH->addWidget(m_splitterV);
    m_splitterH->addWidget(m_livePanel);
    m_splitterH->setStretchFactor(0, 1);
    m_splitterH->setStretchFactor(1, 0);
    m_splitterH->setChildrenCollapsible(false);
    setCentralWidget(m_splitterH);
    resize(1024, 720);
}

QWidget* TfrmComm::page(Page p) const
{
    return m_pages[size_t(p)];
}

void TfrmComm::setPageWidget(Page p, QWidget* w)
{
    QWidget* container = page(p);
    w->setParent(container);
    container->layout()->addWidget(w);
}

QMdiSubWindow* TfrmComm::addRecordWindow(QWidget* w)
{
    QMdiSubWindow* sub = m_mdiArea->addSubWindow(w);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->showMaximized();
    return sub;
}

bool TfrmComm::panelsVisible() const
{
    return m_livePanel->isVisibleTo(this);
}

void TfrmComm::setPanelsVisible(bool on)
{
    m_livePanel->setVisible(on);
    m_pageControl->setVisible(on);
}

QString TfrmComm::statusPanelText(int i) const
{
    return m_statusPanels[size_t(i)]->text();
}

void TfrmComm::setStatusPanelText(int i, const QString& text)
{
    m_statusPanels[size_t(i)]->setText(text);
}

// --- menus ------------------------------------------------------------------------------

void TfrmComm::rebuildMenuBar()
{
    if (m_destroying)
        return;
    const MergedMenus* merged = nullptr;
    if (QMdiSubWindow* sub = m_mdiArea ? m_mdiArea->activeSubWindow() : nullptr)
        merged = dynamic_cast<const MergedMenus*>(sub->widget());

    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    bar->clear();
    QMenu* file = merged && merged->fileMenu() ? merged->fileMenu() : m_fileMenu;
    bar->addMenu(file);
    bar->addMenu(m_commMenu);
    if (merged) {
        if (QMenu* m = merged->recordMenu())
            bar->addMenu(m);
        if (QMenu* m = merged->analysisMenu())
            bar->addMenu(m);
    }
    bar->addMenu(m_othersMenu);
    bar->addMenu(m_windowMenu);
    bar->addMenu(m_helpMenu);
}

void TfrmComm::fillWindowMenu()
{
    m_windowMenu->clear();
    m_windowMenu->addAction(m_actions->actnTile);
    m_windowMenu->addAction(m_actions->actnCascade);
    m_windowMenu->addAction(m_actions->actnArrangeIcons);
    const QList<QMdiSubWindow*> windows = m_mdiArea->subWindowList();
    if (windows.isEmpty())
        return;
    m_windowMenu->addSeparator();
    int n = 0;
    for (QMdiSubWindow* sub : windows) {
        ++n;
        QAction* item = m_windowMenu->addAction(
            (n < 10 ? QStringLiteral("&%1 ").arg(n) : QStringLiteral("%1 ").arg(n)) + sub->windowTitle());
        item->setCheckable(true);
        item->setChecked(sub == m_mdiArea->activeSubWindow());
        QPointer<QMdiSubWindow> target(sub);
        connect(item, &QAction::triggered, this, [this, target] {
            if (target)
                m_mdiArea->setActiveSubWindow(target);
        });
    }
}

void TfrmComm::tileHorizontally()
{
    // One above the other, each the full width of the client area.
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* sub : m_mdiArea->subWindowList())
        if (!sub->isMinimized() && sub->isVisible())
            windows.append(sub);
    if (windows.isEmpty())
        return;
    const QRect area = m_mdiArea->viewport()->rect();
    const int h = qMax(area.height() / int(windows.size()), 40);
    int y = 0;
    for (QMdiSubWindow* sub : windows) {
        sub->showNormal();
        sub->setGeometry(0, y, area.width(), h);
        y += h;
    }
}

void TfrmComm::arrangeIcons()
{
    // Minimised windows in a row along the bottom edge, left to right.
    const QRect area = m_mdiArea->viewport()->rect();
    int x = 0;
    int y = area.bottom();
    for (QMdiSubWindow* sub : m_mdiArea->subWindowList()) {
        if (!sub->isMinimized())
            continue;
        const QSize s = sub->size();
        if (x + s.width() > area.width() && x > 0) {
            x = 0;
            y -= s.height();
        }
        sub->move(x, y - s.height() + 1);
        x += s.width();
    }
}

// --- texts ------------------------------------------------------------------------------

void TfrmComm::retranslateUi()
{
    m_actions->retranslate(UiLanguage::instance().everChinese());
    m_fileMenu->setTitle(tr("File"));
    m_commMenu->setTitle(tr("Communication"));
    m_othersMenu->setTitle(tr("Others"));
    m_languageMenu->setTitle(tr("Language"));
    m_windowMenu->setTitle(tr("Window"));
    m_helpMenu->setTitle(tr("Help"));
    m_pageControl->setTabText(ProfilesPage, tr("Profiles/Parameters"));
    m_pageControl->setTabText(OperatorInputPage, tr("Operator defined input"));
    m_pageControl->setTabText(ProcessValuesPage, tr("Process values"));
}

void TfrmComm::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::LanguageChange)
        retranslateUi();
    QMainWindow::changeEvent(e);
}
