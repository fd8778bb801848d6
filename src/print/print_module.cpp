// Printing and PDF: HTML on A4, in a print preview or written to a PDF file.
// Built as a module of its own that the program loads the first time the
// user prints, so that Qt's print support costs nothing at start-up.
#include <QAbstractTextDocumentLayout>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QString>
#include <QTextDocument>
#include <QWidget>
#include <functional>

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

// A claim on A4: `html` page after page under `head` (repeated on every
// page, as is the head row of its tables), above `foot` and "n / N".
// `progress` is told each page (this one, of how many) and stops the work
// when it returns false. 0 written, 1 failed, 2 stopped.
extern "C" Q_DECL_EXPORT int mkdWriteClaimPdf(const QString& html, const QString& head, const QString& foot,
                                              const QString& path, const std::function<bool(int, int)>& progress) {
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    QPainter painter;
    if (!painter.begin(&printer)) return 1;
    const QRectF paper = printer.pageLayout().paintRectPixels(printer.resolution());
    QTextDocument document;
    document.documentLayout()->setPaintDevice(&printer);
    document.setHtml(html);
    QFont small = document.defaultFont();
    small.setPointSizeF(8);
    const QFontMetricsF metrics(small, &printer);
    const double band = metrics.height() * 2.5;
    const double width = paper.width();
    const double body = paper.height() - 2 * band;
    document.setPageSize(QSizeF(width, body));
    const int pages = document.pageCount();
    for (int page = 0; page < pages; ++page) {
        if (progress && !progress(page, pages)) {
            painter.end();
            return 2;
        }
        if (page > 0 && !printer.newPage()) return 1;
        painter.setFont(small);
        painter.drawText(QRectF(0, 0, width, band * 0.8), Qt::AlignLeft | Qt::AlignBottom, head);
        painter.drawLine(QPointF(0, band * 0.9), QPointF(width, band * 0.9));
        painter.save();
        painter.translate(0, band - page * body);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, page * body, width, body);
        painter.setClipRect(context.clip);
        document.documentLayout()->draw(&painter, context);
        painter.restore();
        const QRectF foot_(0, band + body + band * 0.2, width, band * 0.8);
        painter.setFont(small);
        painter.drawLine(QPointF(0, band + body + band * 0.1), QPointF(width, band + body + band * 0.1));
        painter.drawText(foot_, Qt::AlignLeft | Qt::AlignTop, foot);
        painter.drawText(foot_, Qt::AlignRight | Qt::AlignTop, QStringLiteral("%1 / %2").arg(page + 1).arg(pages));
    }
    if (progress) progress(pages, pages);
    painter.end();
    const QFileInfo written(path);
    return printer.printerState() != QPrinter::Error && written.exists() && written.size() > 0 ? 0 : 1;
}
