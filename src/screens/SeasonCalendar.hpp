// 季節カレンダー: a month at a glance, each day coloured by its season, the
// override dates marked with their holiday, and a journey's total under each
// day where the kind has a season, the cheapest days marked. A window of its
// own, made the first time it is asked for: from the start screen's ツール
// menu, from the travel-date screens (F4) and from the compare window's date
// field (F4, Alt+↓). Enter gives the chosen day to the window that opened it;
// Escape closes it.
//
// The seasons and totals are the core's (mkd::SeasonCalendar): the same
// season code the date screens use, the same enquiries mkd-fare asks.
#pragma once

#include <QColor>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "pricing/season_calendar.hpp"

class QAction;
class QLabel;
class QPushButton;
class QTableWidget;
class DateScreen;
class ScreenFlow;
class WindowPlace;

class SeasonCalendarWindow : public QWidget {
    Q_OBJECT
public:
    // What the window opens with: the day shown, the journey priced (none:
    // the seasons only), and where Enter sends the chosen day (none: Enter
    // closes the window).
    struct Opening {
        mkd::Date date;
        std::optional<mkd::CalendarJourney> journey;
        std::function<void(const mkd::Date&)> take;
    };

    // Shows the one window (made now if need be) with `with`.
    static SeasonCalendarWindow* open(ScreenFlow& flow, Opening with);
    // The window if it has been made.
    static SeasonCalendarWindow* find(ScreenFlow& flow);

    SeasonCalendarWindow(ScreenFlow& flow, QWidget* parent);
    ~SeasonCalendarWindow() override;

    // The background of a season's days; their lightness differs enough to
    // tell them apart in grey.
    static QColor seasonColour(mkd::Season season);

    mkd::Date date() const { return date_; }
    const mkd::CalendarMonth& month() const { return month_; }
    // Moves to `date` (within the listed years).
    void show(const mkd::Date& date);

    // The month with its legend, journey and prices: on the clipboard (text
    // and HTML), printed, or as a PDF.
    QString text() const;
    QString html() const;
    void copy();
    void print();
    void savePdf();

    QLabel* lblMonth;
    QLabel* lblJourney;
    QTableWidget* grid;
    QLabel* lblLegend;
    QLabel* lblDay;

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void take(Opening with);
    void fill();
    void showWords();
    void choose();
    // The words of a day: its date, weekday, season, override and total.
    QString dayWords(const mkd::CalendarDay& day) const;
    QString seasonWords(mkd::Season season) const;
    QString journeyWords() const;
    QLocale locale() const;
    mkd::Lang language() const;

    ScreenFlow& flow_;
    WindowPlace* place_;
    std::unique_ptr<mkd::SeasonCalendar> calendar_;
    Opening opening_;
    mkd::Date date_;
    mkd::CalendarMonth month_;
    std::array<QLabel*, 3> swatches_{};  // the legend's colours, by season
    QPushButton* cmdPrevious;
    QPushButton* cmdNext;
    QPushButton* cmdTake;
    QPushButton* cmdCopy;
    QPushButton* cmdPrint;
    QPushButton* cmdPdf;
    QPushButton* cmdClose;
    QAction* copyAction;
    QAction* printAction;
    QAction* pdfAction;
};

// The travel-date screens' way in: F4 on the screen, and a line below its
// controls that says so (a click on it opens the calendar too). Enter in the
// calendar sets the screen's lists to the chosen day.
void offerSeasonCalendar(DateScreen& screen, ScreenFlow& flow, QWidget* client);

// From the start screen: its pair's reserved seat for one adult, on the
// travel date of the enquiry (else the day the date screens preselect).
void openSeasonCalendar(ScreenFlow& flow);

// F4 and Alt+↓ in `field` call `open` (a date field's own calendar keys).
void openCalendarByKeys(QWidget* field, std::function<void()> open);
