// 交通費明細: the journey list, a window of its own beside the screens. Each
// row is a priced journey: its travel date and purpose can be edited, rows
// deleted and moved; the total is at the bottom, for all rows or one month.
// Every change is saved at once, to what the file holds then (JourneyStore):
// rows another program added meanwhile are kept, and shown when the file
// changes. The list can be exported as CSV (plain, or for Excel), printed
// and saved as PDF.
#pragma once

#include <QAbstractTableModel>
#include <QWidget>
#include <functional>
#include <string>

#include "data/journey_list.hpp"
#include "explain/answer_words.hpp"

class QComboBox;
class QFileSystemWatcher;
class QLabel;
class QPushButton;
class QTableView;
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

    // Shows the rows of `month` ("" for all) again, after any change.
    void show(const std::string& month);
    // The list row of a shown row.
    int listRow(int shownRow) const;
    // The file was read again since the rows were shown.
    bool stale() const { return shownLoads_ != store_.loads(); }
    const std::string& month() const { return month_; }
    std::string tablesNow;

    static constexpr int kDateColumn = 0;
    static constexpr int kAmountColumn = 6;
    static constexpr int kNoteColumn = 7;
    // The most a purpose typed may hold (a longer one read from the file is
    // kept as it is).
    static constexpr int kMaxPurpose = 200;

    // Makes a change to the list and saves it; false when it could not be
    // saved (the user was told why).
    std::function<bool(const std::function<bool(mkd::JourneyList&)>&)> change;

signals:
    void edited();

private:
    mkd::JourneyStore& store_;
    ScreenFlow& flow_;
    std::string month_;
    std::vector<int> shown_;
    int shownLoads_ = 0;
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
    void print();
    void savePdf();

    const mkd::JourneyList& list() const { return store_.list; }
    QTableView* table;
    QComboBox* month;
    QLabel* total;

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showWords();
    void refresh();
    // A change made to what the file holds now, saved; what went wrong said.
    bool change(const std::function<bool(mkd::JourneyList&)>& edit);
    // Shows the rows again when another program changed the file.
    void reloadIfChanged();
    // Says what the last load of the file found, once.
    bool tellLoad();
    void watchFolder();
    bool editing() const;
    QString html() const;

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
    QPushButton* print_;
    QPushButton* pdf_;
    QPushButton* close_;
};
