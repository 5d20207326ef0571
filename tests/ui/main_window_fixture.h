#pragma once

#include <memory>

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "link/station_link.h"
#include "shell/ini_file.h"
#include "support/fake_clock.h"
#include "support/fake_port.h"
#include "support/fake_waits.h"
#include "ui/tfrm_comm.h"
#include "ui/tfrm_msg.h"
#include "ui/ui_language.h"

// The main window on a fake port and clock in a program folder of its own: not a first start,
// English. Test classes inherit it beside QObject and call setUp()/tearDown() from their
// init()/cleanup() slots.
class MainWindowFixture
{
protected:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QTemporaryDir> m_systemDir;
    FakePort m_port;
    FakeClock m_clock;
    FakeWaits m_waits;
    std::unique_ptr<TfrmComm> m_frm;
    std::unique_ptr<Tfrmmsg> m_msg;

    void setUp()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QDir(m_dir->path()).mkpath(QStringLiteral("data"));
        m_systemDir = std::make_unique<QTemporaryDir>();
        qputenv("TAMSEL_SYSTEM_DIR", m_systemDir->path().toLocal8Bit());
        IniFile pw(m_systemDir->filePath(QStringLiteral("IRpaswd.ini")));
        QVERIFY(pw.writeBool(QStringLiteral("IRPaswd"), QStringLiteral("inistoin"), false));
        IniFile settings(m_dir->filePath(QStringLiteral("data/CommConfig.ini")));
        QVERIFY(settings.writeString(QStringLiteral("Option"), QStringLiteral("language"), QStringLiteral("0")));
        m_port = FakePort();
    }

    void tearDown()
    {
        m_frm.reset();
        m_msg.reset();
        UiLanguage::instance().apply(Language::English);
    }

    // Made, shown and through its first show (hello said).
    TfrmComm& shownWindow()
    {
        m_frm = std::make_unique<TfrmComm>(ProgramPaths(m_dir->path()), &m_port, &m_clock);
        m_frm->link().setWaits(&m_waits);
        m_msg = std::make_unique<Tfrmmsg>();
        m_frm->setStatusWindow(m_msg.get());
        m_frm->resize(1200, 800);
        m_frm->show();
        QSignalSpy done(m_frm.get(), &TfrmComm::firstShowDone);
        if (!done.wait(5000))
            qFatal("first show did not finish");
        return *m_frm;
    }
};
