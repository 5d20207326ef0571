#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QImage>
#include <QMarginsF>
#include <QString>
#include <QVariant>

class QPagedPaintDevice;
class QTextDocument;

// The report engine. A template is an HTML file in Qt's rich-text subset (UTF-8): every
// [name] in it asks for a variable, and <img src="Picture1"> receives the report picture.
// Preparing a report fills in the variables and lays it out in a QTextDocument; painting
// puts that document, page by page, onto any paged device (a PDF writer, a printer).
class ReportEngine
{
public:
    // The image name the chart picture goes under.
    static constexpr const char* PictureName = "Picture1";
    // The size of the report picture: the whole chart image stretched into it.
    static constexpr int PictureWidth = 800;
    static constexpr int PictureHeight = 600;

    using Lookup = std::function<std::optional<QVariant>(const QString& name)>;

    // Reads the template. False, with the platform's reason when asked, when the file cannot
    // be read; the template held before (none at first) stays.
    bool loadTemplate(const QString& path, QString* error = nullptr);
    void setTemplate(const QString& html, const QString& path = QString());
    bool hasTemplate() const { return m_loaded; }
    const QString& templateText() const { return m_html; }

    // The template with every [name] that `lookup` answers replaced by the answer's text
    // (as plain text: markup in a value is shown, not obeyed); other [name]s stay as written.
    static QString fillVariables(const QString& html, const Lookup& lookup);

    // A prepared report: variables filled in, the picture in place of "Picture1", other
    // images of the template looked up beside the template file. Null without a template.
    std::unique_ptr<QTextDocument> prepare(const Lookup& lookup, const QImage& picture) const;

    // Paints every page of a prepared report (only those of the device's page ranges when it
    // has some). False when the device cannot be painted on.
    static bool paint(QTextDocument& report, QPagedPaintDevice& device);

    // The report as an A4 PDF file, written through a temporary so a failed write leaves any
    // previous file of that name as it was. False with the platform's error text.
    static bool writePdf(QTextDocument& report, const QString& path, QString* error);

    // The page margins of every report, in millimetres.
    static QMarginsF pageMargins() { return QMarginsF(15, 12, 15, 12); }

    // The report picture: the whole 1024 x 768 chart image stretched to 800 x 600.
    static QImage picture(const QImage& chartImage);

private:
    QString m_html;
    QString m_path;
    bool m_loaded = false;
};
