// The report template: loaded from arbitrary bytes, every [name] filled in from a record,
// laid out on A4 pages and painted. The input is the template, optionally followed by a line
// "#record" and a record file whose header values the variables answer with.

#include <QBuffer>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

#include "fuzz_common.h"
#include "records/record_file.h"
#include "records/report_engine.h"
#include "records/report_variables.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes = fuzzBytes(data, size);
    Recording record;
    const qsizetype split = bytes.indexOf("\n#record\n");
    if (split >= 0) {
        const QByteArray file = bytes.mid(split + 9);
        if (!RecordFile::decode(file, record))
            RecordFile::salvage(file, record, nullptr);
        bytes.truncate(split);
    }
    ReportEngine engine;
    QString error;
    FUZZ_CHECK(engine.loadTemplate(fuzzFile(bytes, QStringLiteral("print.frf")), &error));
    FUZZ_CHECK(engine.hasTemplate());

    ChartStyle style;
    style.language = size % 2 == 1 ? Language::Chinese : Language::English;
    const ReportSource source{record, style};
    const ReportEngine::Lookup lookup = [&source](const QString& name) { return ReportVariable(name, source); };
    // Names nobody answers stay as written.
    const ReportEngine::Lookup none = [](const QString&) { return std::optional<QVariant>(); };
    FUZZ_CHECK(ReportEngine::fillVariables(engine.templateText(), none) == engine.templateText());

    static const QImage picture = [] {
        QImage p(ReportEngine::PictureWidth, ReportEngine::PictureHeight, QImage::Format_RGB32);
        p.fill(Qt::white);
        return p;
    }();
    std::unique_ptr<QTextDocument> report = engine.prepare(lookup, picture);
    FUZZ_CHECK(report != nullptr);
    // Laid out and painted as a PDF at a low resolution (only the layout is of interest).
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&out);
        pdf.setResolution(72);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, ReportEngine::pageMargins(),
                                      QPageLayout::Millimeter));
        FUZZ_CHECK(ReportEngine::paint(*report, pdf));
    }
    FUZZ_CHECK(out.size() > 0);
    return 0;
}
