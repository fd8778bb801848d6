// Files the user asks the program to write (the journey list as CSV, a
// result or the list as PDF): where they go, asked in a save dialog, and how
// they are written, the same for every kind of file.
//
// The file name's suffix is added before the program asks whether to replace
// a file that is there, so the file asked about is the file written; the
// bytes go through mkd::exportCarefully(), which replaces only a regular file
// (through a link, the one it names), never a device, a pipe or a folder, and
// leaves the old file as it was when the write fails (a full disk). Any
// problem is told in a message naming the file and why.
#pragma once

#include <QString>
#include <string_view>

class QWidget;
class ScreenFlow;

// The path to write, asked in a save dialog titled `title` that starts at
// `suggested` and shows files of `filter`; `suffix` ("csv", "pdf") is added
// to a name typed without it. "" when the user cancels, or declines to
// replace the file that is there.
QString askExportPath(QWidget* parent, ScreenFlow& flow, const QString& title, const QString& suggested,
                      const QString& filter, const QString& suffix);

// Writes `bytes` to `path`; false, after a message that starts with `failed`
// ("The CSV could not be written.") and names the file and the reason, when
// the file was not written.
// Whether the file at `path` may be written: nothing there, or the user
// answered that what is there may be replaced.
bool mayReplace(ScreenFlow& flow, const QString& path);

bool exportBytes(ScreenFlow& flow, const QString& path, std::string_view bytes, const QString& failed);
