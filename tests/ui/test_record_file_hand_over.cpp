// Record files given on the command line or handed over by a later start open in record
// windows of their own, once the first show has run and while no recording runs.

#include <memory>

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "records/record_bytes.h"
#include "shell/ini_file.h"
#include "support/fake_clock.h"
#include "support/fake_port.h"
#include "ui/modal_watcher.h"
#include "ui/record_file_hand_over.h"
#include "ui/record_windows.h"
#include "ui/tfrm_child.h"
#include "ui/tfrm_comm.h"
#include "ui/tfrm_comm_actions.h"
#include "ui/tfrm_msg.h"
#include "ui/ui_language.h"

class TestRecordFileHandOver : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QTemporaryDir> m_systemDir;
    FakePort m_port;
    FakeClock m_clock;
    std::unique_ptr<TfrmComm> m_frm;
    std::unique_ptr<Tfrmmsg> m_msg;

    QString recordFile(const QString& name)
    {
        const QString path = m_dir->filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(RecordBytes::current() + RecordBytes::tail()) < 0)
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }
    QStringList titles() const
    {
        QStringList t;
        for (QMdiSubWindow* sub : m_frm->mdiArea()->subWindowList())
            t << sub->widget()->windowTitle();
        return t;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QDir(m_dir->path()).mkpath(QStringLiteral("data"));
        m_systemDir = std::make_unique<QTemporaryDir>();
        qputenv("TAMSEL_SYSTEM_DIR", m_systemDir->path().toLocal8Bit());
        IniFile pw(m_systemDir->filePath(QStringLiteral("IRpaswd.ini")));
        QVERIFY(pw.writeBool(QStringLiteral("IRPaswd"), QStringLiteral("inistoin"), false));
        IniFile settings(m_dir->filePath(QStringLiteral("data/CommConfig.ini")));
        QVERIFY(settings.writeString("Option", "language", "0"));
        m_port = FakePort();
        m_frm = std::make_unique<TfrmComm>(ProgramPaths(m_dir->path()), &m_port, &m_clock);
        m_msg = std::make_unique<Tfrmmsg>();
        m_frm->setStatusWindow(m_msg.get());
    }
    void cleanup()
    {
        m_frm.reset();
        m_msg.reset();
        UiLanguage::instance().apply(Language::English);
    }

    void commandLineFilesOpenAfterTheFirstShow()
    {
        auto* handOver = new RecordFileHandOver(*m_frm);
        const QString a = recordFile(QStringLiteral("a.sld"));
        const QString b = recordFile(QStringLiteral("b.sld"));
        handOver->open({a, b});
        QCOMPARE(handOver->pending(), (QStringList{a, b}));

        QSignalSpy done(m_frm.get(), &TfrmComm::firstShowDone);
        m_frm->show();
        QVERIFY(done.wait(5000));
        // The first show's new record window, then the two files, each with its path as
        // caption, the last one active.
        QVERIFY(handOver->pending().isEmpty());
        const QStringList t = titles();
        QCOMPARE(t.size(), 3);
        QCOMPARE(t.mid(1), (QStringList{a, b}));
        TfrmChild* active = m_frm->recordWindows()->activeRecordWindow();
        QVERIFY(active);
        QCOMPARE(active->windowTitle(), b);
        QCOMPARE(active->record().samples.size(), 2);
        QVERIFY(m_frm->recordWindows()->recordingTarget() != active);
    }

    void damagedFileIsRefusedAndTheNextOneStillOpens()
    {
        auto* handOver = new RecordFileHandOver(*m_frm);
        QSignalSpy done(m_frm.get(), &TfrmComm::firstShowDone);
        m_frm->show();
        QVERIFY(done.wait(5000));

        const QString damaged = m_dir->filePath(QStringLiteral("damaged.sld"));
        {
            QFile f(damaged);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(100, '\x03'));
        }
        const QString good = recordFile(QStringLiteral("good.sld"));
        ModalWatcher boxes;
        handOver->handOver({damaged, m_dir->filePath(QStringLiteral("missing.sld")), good});
        QCOMPARE(boxes.seen, (QStringList{"file error!", "file error!"}));
        QTRY_COMPARE_WITH_TIMEOUT(titles().size(), 2, 5000);
        QCOMPARE(titles().last(), good);
    }

    void handOverWaitsForTheRecordingToEnd()
    {
        auto* handOver = new RecordFileHandOver(*m_frm);
        QSignalSpy done(m_frm.get(), &TfrmComm::firstShowDone);
        m_frm->show();
        QVERIFY(done.wait(5000));
        TfrmCommActions& a = m_frm->actions();
        a.actnRecord->trigger();
        QVERIFY(a.actnRecord->isChecked());
        QVERIFY(!a.actn_Open->isEnabled());

        const QString file = recordFile(QStringLiteral("later.sld"));
        handOver->handOver({file});
        QCOMPARE(titles().size(), 1);
        QCOMPARE(handOver->pending(), QStringList{file});

        a.actnRecord->trigger(); // Record off: Open is back, the file opens
        QVERIFY(!a.actnRecord->isChecked());
        QTRY_COMPARE_WITH_TIMEOUT(titles().size(), 2, 5000);
        QCOMPARE(titles().last(), file);
        QVERIFY(handOver->pending().isEmpty());
    }
};

QTEST_MAIN(TestRecordFileHandOver)
#include "test_record_file_hand_over.moc"
