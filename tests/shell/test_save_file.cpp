#include <QtTest>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "shell/save_file.h"
#include "support/file_bytes.h"
#include "support/file_size_limit.h"

class TestSaveFile : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_path;

    QStringList filesInDir() const { return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden); }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("model.irl"));
        QFile::remove(m_path);
    }

    void replacesTheFileWithEveryByte()
    {
        writeAll(m_path, "old contents, longer than the new");
        const QByteArray bytes("\x00\x01\xFFnew", 6);
        QString reason;
        QVERIFY(SaveFile::writeWhole(m_path, bytes, &reason));
        QVERIFY(reason.isEmpty());
        QCOMPARE(readAll(m_path), bytes);
        QCOMPARE(filesInDir(), QStringList{QStringLiteral("model.irl")});
    }

    void directoryInTheWayFailsWithAReason()
    {
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("model.irl")));
        QString reason;
        QVERIFY(!SaveFile::writeWhole(m_path, "bytes", &reason));
        QVERIFY(!reason.isEmpty());
        QVERIFY(QFileInfo(m_path).isDir());
        QVERIFY(QDir(m_dir.path()).rmdir(QStringLiteral("model.irl")));
    }

#ifdef Q_OS_UNIX
    // A write that stops half way (disk full; here the process's file size limit, which holds
    // for every user) must not replace the file with the half that got written: neither when
    // the bytes would sit in a write buffer until the commit, nor when they go out at once.
    void shortWriteKeepsThePreviousFile_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("smaller than a write buffer") << 40;
        QTest::newRow("larger than a write buffer") << 100000;
    }

    void shortWriteKeepsThePreviousFile()
    {
        QFETCH(int, size);
        const QByteArray original = "previous";
        writeAll(m_path, original);

        QString reason;
        const bool written = withFileSizeLimit(8, [&] { return SaveFile::writeWhole(m_path, QByteArray(size, 'x'), &reason); });

        QVERIFY(!written);
        QVERIFY2(reason.contains(QStringLiteral("large"), Qt::CaseInsensitive), qPrintable(reason));
        QCOMPARE(readAll(m_path), original);
        QCOMPARE(filesInDir(), QStringList{QStringLiteral("model.irl")});
    }
#endif
};

QTEST_GUILESS_MAIN(TestSaveFile)
#include "test_save_file.moc"
