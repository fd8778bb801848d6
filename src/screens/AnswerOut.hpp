// Taking a result out of its screen: Ctrl+C copies it (text and HTML),
// Ctrl+D adds it to the journey list, Ctrl+J opens the list, Ctrl+P prints it
// with a preview and Ctrl+Shift+P saves it as PDF; the same from the screen's
// context menu. The result's labels become selectable with the mouse.
//
// What is taken out is the enquiry in progress (ScreenFlow::enquiry()), in the
// language the screens speak; the words come from the core (answer_words).
#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include <utility>
#include <vector>
#include "screens/print_module_load.hpp"

class QAction;
class QWidget;
class JourneyWindow;
class Screen;
class ScreenFlow;

class AnswerOut : public QObject {
    Q_OBJECT
public:
    // Adds the keys, the context menu and selectable labels to `screen`.
    AnswerOut(Screen& screen, ScreenFlow& flow);

    void copy();
    void addToJourneys();
    void print();
    void savePdf();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showWords();
    QString html() const;

    Screen& screen_;
    ScreenFlow& flow_;
    QAction* copy_;
    QAction* add_;
    QAction* list_;
    QAction* print_;
    QAction* pdf_;
};

// The recent and favourite journeys, kept in the settings.
namespace mkd {
struct RecentJourney;
}
std::vector<mkd::RecentJourney> recentJourneys(ScreenFlow& flow);
// Favourites: a name the user gave and the journey. At most kMaxFavourites
// names of at most kMaxFavouriteName characters are kept, which the settings
// file holds far below the most it reads.
inline constexpr int kMaxFavourites = 100;
inline constexpr int kMaxFavouriteName = 200;
std::vector<std::pair<QString, mkd::RecentJourney>> favouriteJourneys(ScreenFlow& flow);
// Asks for a name (the suggested one first) and keeps `journey` under it,
// with the favourites the settings hold now (another program's too).
void keepFavourite(QWidget* parent, ScreenFlow& flow, const mkd::RecentJourney& journey, const QString& suggested);
// Forgets the favourite `name` of `journey`, wherever it is now.
void forgetFavourite(ScreenFlow& flow, const QString& name, const mkd::RecentJourney& journey);
// Asks `journey` again from the start screen as a user would: its stations,
// its kind's buttons, the section chosen, the travel date (the screen's
// preselection where the journey kept none), 松山乗換, the trip and the
// passenger. Stops where a screen refuses or does not offer a step, showing
// that screen and why.
void askAgain(ScreenFlow& flow, const mkd::RecentJourney& journey);

// The journey list window, built the first time it is asked for; it belongs
// to the start screen, which lives as long as the program.
JourneyWindow* journeyWindow(ScreenFlow& flow);

// Paper: `html` on A4 in a print preview, or written to a PDF file asked
// for in a file dialog (the path, "" when the user gave none or it was not
// written), saved as every export is (ExportFile.hpp). Printing is a module
// loaded the first time; the user is told when it cannot be.
void printPreview(QWidget* parent, ScreenFlow& flow, const QString& html);
QString savePdf(QWidget* parent, ScreenFlow& flow, const QString& html, const QString& title);
// Writes `html` on A4 to the PDF file `path`; false when it cannot.
bool writePdf(const QString& html, const QString& path);
// The print module's writer of a claim (see src/print): html, the head and
// foot of every page, the path, and a progress that stops it by returning
// false; 0 written, 1 failed, 2 stopped. None (the user was told why) when
// the module cannot be loaded.
ClaimPdf claimPdfWriter(ScreenFlow& flow);
