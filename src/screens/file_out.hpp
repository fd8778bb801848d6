// Files the user asks the program to write (a workbook, a PDF): where to put
// them, and writing them so that nothing is lost.
#pragma once

#include <QString>
#include <QStringList>
#include <string>

class QLabel;
class QWidget;
class ScreenFlow;
namespace mkd {
struct Workbook;
}

struct SaveAsk {
    QString title;  // the dialog's title
    QString kind;  // "xlsx", "pdf", "csv": each kind remembers its own last folder
    QString name;  // the suggested file name, without its folder
    QString filter;  // "Excel ブック (*.xlsx)"
    QString suffix;  // added to a name typed without it, before the question whether to replace
};

// Asks where to save, in a file dialog that opens in the folder last used
// for this kind of file, else the user's documents folder; "" when the user
// cancels. The folder chosen is remembered.
QString askSavePath(QWidget* parent, ScreenFlow& flow, const SaveAsk& ask);

// The .xlsx bytes of `book`, from the workbook module loaded on first use;
// "" after telling the user why not.
std::string workbookBytes(ScreenFlow& flow, const mkd::Workbook& book);

// Writes `bytes` to `path` carefully (never over a device, a pipe or a
// folder; a failed write leaves the old file as it was); false after
// telling the user why, naming the file.
bool saveBytes(ScreenFlow& flow, const QString& path, const std::string& bytes);

// A line under a window's contents that says where the last file it saved
// went: hidden until then, its text selectable by mouse and keyboard.
QLabel* savedLine(QWidget* parent);
// Shows `path` on such a line.
void showSavedPath(QLabel* line, const QString& path);
