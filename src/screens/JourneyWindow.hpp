// 交通費明細: the journey list, a window of its own beside the screens. Each
// row is a priced journey: its travel date and purpose can be edited, rows
// deleted and moved; the total is at the bottom, for all rows or one month.
// Every change is saved at once (JourneyStore). The list can be exported as
// CSV (plain, or for Excel), printed and saved as PDF.
#pragma once

#include <QAbstractTableModel>
#include <QWidget>
#include <string>

#include "data/journey_list.hpp"
#include "explain/answer_words.hpp"

class QComboBox;
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
    const std::string& month() const { return month_; }
    std::string tablesNow;

    static constexpr int kDateColumn = 0;
    static constexpr int kAmountColumn = 6;
    static constexpr int kNoteColumn = 7;

signals:
    void edited();

private:
    mkd::JourneyStore& store_;
    ScreenFlow& flow_;
    std::string month_;
    std::vector<int> shown_;
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
    bool save();
    QString html() const;
    void reportLoad(const mkd::JourneyLoad& load);

    ScreenFlow& flow_;
    WindowPlace* place_;
    bool placed_ = false;  // placed when first opened
    mkd::JourneyStore store_;
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
