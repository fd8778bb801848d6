// Finding and loading a module of the program (the print module
// mkdprint.so, the workbook module mkdxlsx.so), with the reason in words when
// it cannot be.
#pragma once

#include <QString>
#include <functional>
#include <vector>

class QWidget;

// A claim's PDF: the rows' HTML, the head repeated on every page, the
// footer's words, the file; told each page made, and false from it cancels.
// 0 written, 1 failed, 2 cancelled.
using ClaimPdf = int (*)(const QString&, const QString&, const QString&, const QString&,
                         const std::function<bool(int, int)>&);

struct PrintModule {
    void (*preview)(QWidget*, const QString&) = nullptr;
    bool (*pdf)(const QString&, const QString&) = nullptr;
    ClaimPdf claim = nullptr;
    QString error;  // why it could not be loaded, for the user
    bool loaded() const { return preview && pdf && claim; }
};

// Where the module may be: the program's own folder; the folder it is
// installed in, known when the program is built (used only when absolute);
// and the folder at `relative` from the program's (an unpacked package),
// used only when nobody but root and the user can have put a file there.
// The first place that holds a module decides: a module that is there but
// cannot be loaded is reported, never passed over for another.
struct PrintModulePlaces {
    QString programFolder;
    QString installedFolder;
    QString relative;
};

PrintModule loadPrintModule(const PrintModulePlaces& places);

// The same search for any module: `fileName` in the places, with each of
// `functions` resolved (in their order), or the reason in words.
struct LoadedModule {
    std::vector<void*> functions;
    QString error;
};
LoadedModule loadModule(const PrintModulePlaces& places, const QString& fileName,
                        const std::vector<const char*>& functions);

// The places of this program's modules: beside it, where it is installed.
PrintModulePlaces programModulePlaces();
