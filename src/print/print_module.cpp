// Printing and PDF: HTML on A4, in a print preview or written to a PDF file.
// Built as a module of its own that the program loads the first time the
// user prints, so that Qt's print support costs nothing at start-up.
#include <QFileInfo>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QString>
#include <QTextDocument>
#include <QWidget>

namespace {

void setUpPrinter(QPrinter& printer) {
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
}

void printOn(QPrinter& printer, const QString& html) {
    QTextDocument document;
    document.setHtml(html);
    document.print(&printer);
}

}  // namespace

extern "C" Q_DECL_EXPORT void mkdPrintPreview(QWidget* parent, const QString& html) {
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer);
    QPrintPreviewDialog preview(&printer, parent);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&html](QPrinter* p) { printOn(*p, html); });
    preview.exec();
}

extern "C" Q_DECL_EXPORT bool mkdWritePdf(const QString& html, const QString& path) {
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printOn(printer, html);
    const QFileInfo written(path);
    return printer.printerState() != QPrinter::Error && written.exists() && written.size() > 0;
}
