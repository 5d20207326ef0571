#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// What every fuzz target shares. A target defines LLVMFuzzerTestOneInput and
// LLVMFuzzerInitialize; built with -DTAMSEL_FUZZ=ON they run under libFuzzer, in the normal
// build replay_main.cpp runs them over the seed corpus as a regression test.

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);

// A property that must hold for every input; a failure is a finding.
#define FUZZ_CHECK(cond)                                                   \
    do {                                                                   \
        if (!(cond)) {                                                     \
            std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #cond, \
                         __FILE__, __LINE__);                              \
            std::abort();                                                  \
        }                                                                  \
    } while (0)

inline QByteArray fuzzBytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// The input as a file, for the readers that take a path. One folder for the whole run.
inline QString fuzzFile(const QByteArray& bytes, const QString& name = QStringLiteral("input"))
{
    static QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(name);
    QFile f(path);
    FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(f.write(bytes) == bytes.size());
    return path;
}
