#include "records/report_engine.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageRanges>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextDocument>
#include <QUrl>

#include "records/report_variables.h"
#include "shell/save_file.h"

namespace {

// A template is a page or two of HTML; anything far larger is not one.
constexpr qint64 kMaxTemplateSize = 4 * 1024 * 1024;

// The most columns or rows one table cell spans. Qt lays a table out in time that grows
// with its spans, so colspan=99999 held printing for many seconds; no page holds more.
constexpr int kMaxCellSpan = 64;

// The template with every colspan and rowspan above kMaxCellSpan lowered to it.
QString limitedSpans(const QString& html)
{
    static const QRegularExpression span(QStringLiteral("\\b((?:col|row)span\\s*=\\s*[\"']?\\s*)([0-9]+)"),
                                         QRegularExpression::CaseInsensitiveOption);
    QString out;
    out.reserve(html.size());
    qsizetype last = 0;
    QRegularExpressionMatchIterator it = span.globalMatch(html);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        bool ok = false;
        const int n = m.captured(2).toInt(&ok);
        if (ok && n <= kMaxCellSpan)
            continue;
        out += QStringView(html).mid(last, m.capturedStart(2) - last);
        out += QString::number(kMaxCellSpan);
        last = m.capturedEnd(2);
    }
    out += QStringView(html).mid(last);
    return out;
}

} // namespace

bool ReportEngine::loadTemplate(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    const QByteArray bytes = file.read(kMaxTemplateSize);
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return false;
    }
    setTemplate(QString::fromUtf8(bytes), path);
    return true;
}

void ReportEngine::setTemplate(const QString& html, const QString& path)
{
    m_html = html;
    m_path = path;
    m_loaded = true;
}

QString ReportEngine::fillVariables(const QString& html, const Lookup& lookup)
{
    static const QRegularExpression variable(QStringLiteral("\\[([A-Za-z0-9_]+)\\]"));
    QString out;
    out.reserve(html.size());
    qsizetype last = 0;
    QRegularExpressionMatchIterator it = variable.globalMatch(html);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        out += QStringView(html).mid(last, m.capturedStart() - last);
        const std::optional<QVariant> answer = lookup(m.captured(1));
        if (answer)
            out += reportText(*answer).toHtmlEscaped();
        else
            out += m.capturedView();
        last = m.capturedEnd();
    }
    out += QStringView(html).mid(last);
    return out;
}

std::unique_ptr<QTextDocument> ReportEngine::prepare(const Lookup& lookup, const QImage& picture) const
{
    if (!m_loaded)
        return nullptr;
    auto report = std::make_unique<QTextDocument>();
    if (!m_path.isEmpty())
        report->setBaseUrl(QUrl::fromLocalFile(QFileInfo(m_path).absolutePath() + QLatin1Char('/')));
    report->setHtml(fillVariables(limitedSpans(m_html), lookup));
    // Resources are looked up by their name resolved against the base.
    report->addResource(QTextDocument::ImageResource, report->baseUrl().resolved(QUrl(QLatin1String(PictureName))),
                        picture);
    return report;
}

bool ReportEngine::paint(QTextDocument& report, QPagedPaintDevice& device)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // The chart's thin lines and small texts stay sharp (no JPEG in PDF files).
    painter.setRenderHint(QPainter::LosslessImageRendering);
    // Laid out in the device's own pixels, so fonts, images and borders come out at their
    // printed size.
    report.documentLayout()->setPaintDevice(&device);
    const QSizeF page(device.width(), device.height());
    report.setPageSize(page);
    const QPageRanges ranges = device.pageRanges();
    bool first = true;
    for (int i = 0; i < report.pageCount(); ++i) {
        if (!ranges.isEmpty() && !ranges.contains(i + 1))
            continue;
        if (!first)
            device.newPage();
        first = false;
        painter.save();
        painter.translate(0, -i * page.height());
        report.drawContents(&painter, QRectF(QPointF(0, i * page.height()), page));
        painter.restore();
    }
    const bool ok = painter.end();
    // The device may go before the report does.
    report.documentLayout()->setPaintDevice(nullptr);
    return ok;
}

bool ReportEngine::writePdf(QTextDocument& report, const QString& path, QString* error)
{
    // The whole PDF is made in memory first, so a failed paint never touches the file.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    bool painted = false;
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(300);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, pageMargins(), QPageLayout::Millimeter));
        pdf.setCreator(QStringLiteral("Tamsel"));
        painted = paint(report, pdf);
    }
    if (!painted) {
        if (error)
            *error = QStringLiteral("PDF output failed");
        return false;
    }
    return SaveFile::writeWhole(path, buffer.data(), error);
}

QImage ReportEngine::picture(const QImage& chartImage)
{
    // Smooth, so the one-pixel lines of the analysis dots survive the shrink.
    return chartImage.scaled(PictureWidth, PictureHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
