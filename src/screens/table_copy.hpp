// A table on the clipboard: the rows of a model as tab-separated text (for a
// spreadsheet or an editor) and as a small HTML table (for a mail or a
// document), headings first, each cell as the view shows it.
#pragma once

#include <QModelIndexList>
#include <QString>

class QAbstractItemModel;
class QMimeData;

// The text and HTML of the rows of `model` that hold a cell of `selection`,
// every column of each but those in `hidden` (the columns a view hides);
// every row where `selection` is empty.
QString tableText(const QAbstractItemModel& model, const QModelIndexList& selection = {},
                  const QList<int>& hidden = {});
QString tableHtml(const QAbstractItemModel& model, const QModelIndexList& selection = {},
                  const QList<int>& hidden = {});

// Both, ready for the clipboard; the caller owns it until it hands it over.
QMimeData* tableMimeData(const QAbstractItemModel& model, const QModelIndexList& selection = {},
                         const QList<int>& hidden = {});

// Puts the rows on the system clipboard.
void copyTable(const QAbstractItemModel& model, const QModelIndexList& selection = {});
