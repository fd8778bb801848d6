#include "screens/table_copy.hpp"

#include <QAbstractItemModel>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <set>

namespace {

std::vector<int> rowsOf(const QAbstractItemModel& model, const QModelIndexList& selection) {
    std::set<int> rows;
    for (const QModelIndex& index : selection)
        if (index.isValid() && index.model() == &model) rows.insert(index.row());
    if (rows.empty())
        for (int r = 0; r < model.rowCount(); ++r) rows.insert(r);
    return {rows.begin(), rows.end()};
}

QString heading(const QAbstractItemModel& model, int column) {
    return model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
}

QString cell(const QAbstractItemModel& model, int row, int column) {
    return model.data(model.index(row, column), Qt::DisplayRole).toString();
}

// A cell as one field of tab-separated text: its own tabs and line ends
// would start another field or row.
QString field(QString text) {
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

}  // namespace

QString tableText(const QAbstractItemModel& model, const QModelIndexList& selection, const QList<int>& hidden) {
    QStringList lines;
    QStringList cells;
    for (int c = 0; c < model.columnCount(); ++c)
        if (!hidden.contains(c)) cells << field(heading(model, c));
    lines << cells.join(QLatin1Char('\t'));
    for (int r : rowsOf(model, selection)) {
        cells.clear();
        for (int c = 0; c < model.columnCount(); ++c)
            if (!hidden.contains(c)) cells << field(cell(model, r, c));
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString tableHtml(const QAbstractItemModel& model, const QModelIndexList& selection, const QList<int>& hidden) {
    QString html = QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n<tr>");
    for (int c = 0; c < model.columnCount(); ++c)
        if (!hidden.contains(c)) html += QStringLiteral("<th>%1</th>").arg(heading(model, c).toHtmlEscaped());
    html += QStringLiteral("</tr>\n");
    for (int r : rowsOf(model, selection)) {
        html += QStringLiteral("<tr>");
        for (int c = 0; c < model.columnCount(); ++c) {
            if (hidden.contains(c)) continue;
            const Qt::Alignment align(model.data(model.index(r, c), Qt::TextAlignmentRole).toInt());
            const QString pattern =
                align & Qt::AlignRight ? QStringLiteral("<td align=\"right\">%1</td>") : QStringLiteral("<td>%1</td>");
            html += pattern.arg(cell(model, r, c).toHtmlEscaped());
        }
        html += QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</table>\n");
}

QMimeData* tableMimeData(const QAbstractItemModel& model, const QModelIndexList& selection, const QList<int>& hidden) {
    auto* data = new QMimeData;
    data->setText(tableText(model, selection, hidden));
    data->setHtml(tableHtml(model, selection, hidden));
    return data;
}

void copyTable(const QAbstractItemModel& model, const QModelIndexList& selection) {
    QApplication::clipboard()->setMimeData(tableMimeData(model, selection));
}
