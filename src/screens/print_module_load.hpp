// Finding and loading the print module (mkdprint.so), with the reason in
// words when it cannot be.
#pragma once

#include <QString>

class QWidget;

struct PrintModule {
    void (*preview)(QWidget*, const QString&) = nullptr;
    bool (*pdf)(const QString&, const QString&) = nullptr;
    QString error;  // why it could not be loaded, for the user
    bool loaded() const { return preview && pdf; }
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
