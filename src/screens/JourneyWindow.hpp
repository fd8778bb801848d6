// 交通費明細: the journey list, a window of its own beside the screens. Each
// row is a priced journey: its travel date and purpose can be edited, rows
// deleted and moved; the total is at the top, for all rows or one month,
// with a subtotal per month. Every change is saved at once (JourneyStore)
// and can be undone (Ctrl+Z, 編集 › 元に戻す) and done again. The rows can be
// sorted by any column (a click on its head, or 表示 › 並べ替え) without
// changing the list's own order. Every change is made to what the file holds
// then: rows another program added meanwhile are kept, and shown when the
// file changes. The list can be exported as CSV (plain, or for Excel), as an
// Excel workbook, printed and saved as PDF for a claim.
#pragma once

#include <QAbstractTableModel>
#include <QWidget>
#include <functional>
#include <string>

#include "data/table_edition.hpp"
#include "explain/answer_words.hpp"
#include "records/journey_list.hpp"

class QComboBox;
class QFileSystemWatcher;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QTableView;
class QUndoStack;
class WindowPlace;
class ScreenFlow;
namespace mkd {
struct EnquiryInProgress;
}

class JourneyModel : public QAbstractTableModel {
    Q_OBJECT
public:
    JourneyModel(mkd::JourneyStore& store, ScreenFlow& flow, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    // Sorts the rows shown (not the list) by `column`; -1: the list's order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    int sortColumn() const { return sortColumn_; }
    Qt::SortOrder sortOrder() const { return sortOrder_; }

    // Shows the rows of `month` ("" for all) again, after any change.
    void show(const std::string& month);
    // The list row of a shown row, and back (-1 when not shown).
    int listRow(int shownRow) const;
    int shownRow(int listRow) const;
    // Called with the list row and the row as edited, instead of changing it.
    std::function<void(int, const mkd::JourneyRow&)> change;
    const std::string& month() const { return month_; }
    mkd::TablesInUse tablesNow;

    static constexpr int kDateColumn = 0;
    static constexpr int kAmountColumn = 6;
    static constexpr int kNoteColumn = 7;
    // The most a purpose typed may hold (a longer one read from the file is
    // kept as it is).
    static constexpr int kMaxPurpose = 200;

private:
    void order();

    mkd::JourneyStore& store_;
    ScreenFlow& flow_;
    std::string month_;
    std::vector<int> shown_;
    int sortColumn_ = -1;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};

class JourneyWindow : public QWidget {
    Q_OBJECT
public:
    JourneyWindow(QWidget* owner, ScreenFlow& flow);

    // Shows the window, brought to the front.
    void open();
    // Adds the journey of the answer shown; the number of rows after, or 0
    // when it could not be saved (the user was told why).
    int add(const mkd::EnquiryInProgress& enquiry);

    void moveRow(int by);
    void deleteRow();
    void exportCsv(mkd::CsvStyle style);
    void saveWorkbook();
    void print();
    void savePdf();

    // A change of the list (false: the row it changes is no longer there),
    // made to what the file holds now.
    using Edit = std::function<bool(mkd::JourneyList&)>;
    // A change of the list, done, saved and shown; undone by Ctrl+Z. False
    // when it could not be made or saved (the user was told why).
    bool change(const QString& what, Edit doIt, Edit undoIt, int showRow);

    const mkd::JourneyList& list() const { return store_.list; }
    QTableView* table;
    QComboBox* month;
    QLabel* total;
    QLabel* subtotals;  // per month, when more than one is shown
    QLabel* savedTo;  // where the last file saved went
    QUndoStack* undo;

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showWords();
    void refresh();
    QString html() const;
    // A change made to what the file holds now, saved; what went wrong said.
    bool apply(const Edit& edit);
    // Shows the rows again when another program changed the file.
    void reloadIfChanged();
    // Says what the last load of the file found, once.
    bool tellLoad();
    void watchFolder();
    bool editing() const;
    void afterChange(int showRow);
    mkd::TablesInUse tablesNow() const { return model_->tablesNow; }

    ScreenFlow& flow_;
    WindowPlace* place_;
    bool placed_ = false;  // placed when first opened
    mkd::JourneyStore store_;
    int loadsTold_ = 0;
    QFileSystemWatcher* watcher_ = nullptr;
    JourneyModel* model_;
    QPushButton* up_;
    QPushButton* down_;
    QPushButton* delete_;
    QPushButton* csv_;
    QPushButton* excel_;
    QPushButton* xlsx_;
    QPushButton* print_;
    QPushButton* pdf_;
    QPushButton* close_;
    QLabel* monthLabel_;
    QMenuBar* menus_;
    QMenu* edit_;
    QMenu* view_;
    QMenu* sort_;
    QAction* undoAction_;
    QAction* redoAction_;
    QAction* deleteAction_;
};
