#pragma once

#include <functional>
#include <memory>

#include <QImage>
#include <QObject>
#include <QString>

class QPrinter;
class QTextDocument;
class QWidget;
class RecordWindows;
class TfrmChild;

// The three print commands of a record window's report: Preview (actnPreView), Print at
// once on the default printer (actnPrint) and Print... through the print dialog
// (actnPrintShow). The report itself is made by the window's ReportEngine from the template
// of the window's language, with the chart picture and the record's variables.
class ReportOutput : public QObject
{
    Q_OBJECT
public:
    ReportOutput(RecordWindows& windows, QWidget* dialogParent, QObject* parent = nullptr);

    // Where print.frf and printcn.frf lie: the program's data folder unless set.
    void setTemplateFolder(const QString& folder) { m_templateFolder = folder; }
    QString templatePath(bool chinese) const;

    // The printer of all three commands. Null means no printer is installed. The default
    // printer unless a test sets one (PDF output).
    using PrinterFactory = std::function<std::unique_ptr<QPrinter>()>;
    void setPrinterFactory(PrinterFactory factory) { m_makePrinter = std::move(factory); }
    // The file "Save as PDF..." of the preview writes; a file dialog unless a test sets one.
    void setPdfChooser(std::function<QString()> chooser) { m_choosePdf = std::move(chooser); }

    // Each returns false when nothing was shown or printed (no template, cancelled, failed).
    bool preview(TfrmChild* window);
    bool print(TfrmChild* window);
    bool printWithDialog(TfrmChild* window);

    // The report picture of the window: its whole chart image stretched to 800 x 600.
    static QImage reportPicture(const TfrmChild* window);
    // The template of the window's language loaded (a missing one keeps the template the
    // window had) and the report prepared; null when the window has no template.
    std::unique_ptr<QTextDocument> prepare(TfrmChild* window);

private:
    std::unique_ptr<QPrinter> makePrinter(bool withDialog) const;
    bool paintOn(QTextDocument& report, QPrinter& printer);
    void savePdf(QTextDocument& report, QWidget* parent);

    RecordWindows& m_windows;
    QWidget* m_parent;
    QString m_templateFolder;
    PrinterFactory m_makePrinter;
    std::function<QString()> m_choosePdf;
};
