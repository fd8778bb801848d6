// Every key the program offers beyond a control's own, in one table: the
// actions take their keys from it and the help lists it, so that the two
// cannot disagree.
#pragma once

#include <QKeySequence>
#include <QString>
#include <vector>

enum class Shortcut {
    DepartureList,
    ArrivalList,
    Swap,
    Help,
    Copy,
    SelectAll,
    AddToJourneys,
    OpenJourneys,
    Compare,
    Print,
    SavePdf,
    LastTravelDate,
    SplitDetails,
    MoveRowUp,
    MoveRowDown,
    ExportExcel,
    ExportCsv,
    CloseWindow,
    SaveWorkbook,
    MonthFilter,
    Undo,
    Redo,
    DeleteRow,
    SeasonCalendar,
};

struct ShortcutRow {
    Shortcut id;
    QKeySequence key;
    const char* where;  // QT_TRANSLATE_NOOP("Shortcuts", ...): the windows that take it
    const char* what;  // QT_TRANSLATE_NOOP("Shortcuts", ...): what it does
};

const std::vector<ShortcutRow>& shortcuts();
QKeySequence shortcutKey(Shortcut id);
// The table as HTML rows for the help, in the language installed now.
QString shortcutsHtml();
