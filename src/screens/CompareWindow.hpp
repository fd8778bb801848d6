// 料金の比較: every way to make one journey side by side, for a party, with
// the cheapest marked and the journey drawn on the line. A window of its own
// beside the screens, never part of an enquiry: it reads the enquiry in
// progress when it opens and asks the core with tables of its own, so that
// nothing it does changes what the screens have loaded.
//
// There is one: made the first time it is asked for, then shown again with
// the pair (and, from a result, the date, passenger and trip) of the screen
// that asked. Its place is kept in the user's settings.
#pragma once

#include <QWidget>
#include <array>
#include <memory>
#include <optional>

#include "data/table_store.hpp"
#include "pricing/comparison.hpp"

class ComparisonModel;
namespace mkd {
struct Workbook;
}
class LineDiagram;
class QAction;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QRadioButton;
class QSortFilterProxyModel;
class QSpinBox;
class QTableView;
class WindowPlace;
class Screen;
class ScreenFlow;

class CompareWindow : public QWidget {
    Q_OBJECT
public:
    // What the window opens with.
    struct Opening {
        int departure = 0;
        int arrival = 0;
        std::optional<mkd::Date> date;
        std::optional<mkd::Passenger> passenger;
        std::optional<mkd::Trip> trip;
    };
    // From the start screen: its pair. From a result: the result's pair,
    // date, passenger and trip.
    static Opening fromStart(const ScreenFlow& flow);
    static Opening fromResult(const ScreenFlow& flow);

    // Shows the one window (made now if need be) with `with`.
    static CompareWindow* open(ScreenFlow& flow, const Opening& with);
    // The window if it has been made.
    static CompareWindow* find(ScreenFlow& flow);

    explicit CompareWindow(ScreenFlow& flow, QWidget* parent);

    const mkd::Comparison& comparison() const;
    // Prices every way again from the controls.
    void recompute();
    // The table's selected rows (all of them when none is) on the clipboard,
    // without the columns of classes nobody in the party belongs to.
    void copy();
    // The season calendar on the date field's day, for the pair and party
    // (a reserved seat); its Enter sets the date field (setTravelDate).
    void openCalendar();
    void setTravelDate(const mkd::Date& date);
    // Ctrl+D: the current row's way into the journey list, a line per
    // person; how many lines were added.
    int addToJourneys();
    // Ctrl+P: the table as shown, with a print preview.
    void printTable();
    // Ctrl+Shift+X: the table as shown, as an Excel workbook: the journey,
    // date, party and what is cheapest above it, amounts as numbers in yen,
    // the program's version and the tables' edition.
    void saveWorkbook();

    QComboBox* cboHatu;
    QComboBox* cboTyaku;
    QPushButton* cmdSwap;
    QDateEdit* dtpDate;
    QPushButton* cmdCalendar;  // the season calendar, as F4 or Alt+↓ in dtpDate
    QLabel* lblDateWhy;
    QSpinBox* spnAdults;
    QSpinBox* spnChildren;
    QSpinBox* spnStudents;
    QLabel* lblStudentWhy;
    QRadioButton* optKatamiti;
    QRadioButton* optOfuku;
    QCheckBox* chkCheapestFirst;
    QLabel* lblSummary;
    QLabel* lblRefused;
    QLabel* lblSaved;  // where the last workbook went
    QTableView* grid;
    ComparisonModel* model;
    QSortFilterProxyModel* sorted;
    LineDiagram* diagram;

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showWords();
    void take(const Opening& with);
    void explainDate();
    void showDiagram();
    void sortRows();
    void fitColumns();
    void swapStations();
    QList<int> hiddenColumns() const;
    mkd::Workbook workbook() const;
    mkd::Lang language() const;

    ScreenFlow& flow_;
    WindowPlace* place_;
    // Tables of its own for each season: a reserved-seat file is only ever
    // read over the empty table, never over another season's, so that every
    // amount is the one mkd-fare reads afresh whatever was priced before.
    struct Priced {
        explicit Priced(const mkd::Locations& where) : tables(where), comparer(tables) {}
        mkd::TableStore tables;
        mkd::Comparer comparer;
    };
    std::array<std::unique_ptr<Priced>, 3> priced_;
    mkd::Comparer& comparer(mkd::Season season);
    QLabel* lblHatu;
    QLabel* lblTyaku;
    QLabel* lblDate;
    QLabel* lblAdults;
    QLabel* lblChildren;
    QLabel* lblStudents;
    QAction* copyAction;
    QAction* selectAllAction;
    QAction* addAction_;
    QAction* printAction;
    QAction* workbookAction;
    // While the controls are being set as a whole (made, opened, swapped):
    // one recomputation at the end, not one per control.
    bool taking_ = true;
    QString fitted_;  // what the columns were last fitted to
};

// Ctrl+K and the context menu's "料金の比較" on a result screen: the window
// with that result's enquiry.
void offerComparison(Screen& screen, ScreenFlow& flow);
