// 乗車区間: the main window. The user picks the boarding and alighting
// stations and chooses how to travel; the Marine Liner menu follows the
// menu availability rule as the stations change.
#pragma once

#include <optional>

#include <string>

#include "pricing/enquiry.hpp"
#include "screens/Screen.hpp"

class HelpWindow;
namespace mkd {
struct RecentJourney;
}
class WhyLine;
class QAction;
class QComboBox;
class QMenu;
class QPushButton;

class frmStart : public Screen {
    Q_OBJECT
public:
    static constexpr const char* kName = "frmStart";
    explicit frmStart(ScreenFlow& flow);

    void Form_Load() override;
    void Form_Unload() override;

    void cboHatu_Click();
    void cboTyaku_Click();
    // The way into an enquiry of `kind` (普通列車, 特急利用, the Marine
    // Liner's items): refused where the core says so, else the enquiry in
    // progress starts afresh and the next screen shows.
    void enter(mkd::Enquiry kind);
    void cmdExit_Click();
    void mnuHenko_Click();

    // The journey ends: all-station indices, -1 without a selection.
    int departure() const;
    int arrival() const;

    QComboBox* cboHatu;
    QComboBox* cboTyaku;
    QPushButton* cmdExpress;
    QPushButton* cmdSlow;
    QPushButton* cmdExit;
    QMenu* mnuShoki;
    QAction* mnuHenko;
    QMenu* mnuMarine;
    QAction* mnuSitei;
    QAction* mnuGreen;

    // Around the specified controls: the swap button below "⇒" (also
    // Ctrl+Shift+S), and after the specified menus the language menu and
    // the help menu.
    void swapStations();
    void showHelp();
    void showAbout();

    QPushButton* cmdSwap;
    QMenu* mnuLanguage;
    QAction* mnuJapanese;
    QAction* mnuEnglish;
    QMenu* mnuHelp;
    QAction* mnuUsage;
    QAction* mnuAbout;
    HelpWindow* help = nullptr;
    // After the help menu: the tools, the compare window (Ctrl+K).
    QMenu* mnuTools;
    QAction* mnuCompare;
    QAction* mnuCalendar;  // the season calendar (Ctrl+L)
    void addToolsMenu();
    // After them, the journey list, recent and favourite journeys.
    QMenu* mnuJourneys = nullptr;
    QMenu* mnuRecent = nullptr;  // the last ten enquiries, each asked again with one key
    QMenu* mnuFavourites = nullptr;  // those kept under a name
    QMenu* mnuKeep = nullptr;
    QMenu* mnuForget = nullptr;
    // Why the Marine menu or its 指定席 is off, for the keyboard.
    WhyLine* whyOff = nullptr;

protected:
    void languageChanged() override;
    // Enter in 乗車駅 moves on to 降車駅; in 降車駅 it presses the way last
    // used (普通列車 at first).
    bool enterInList(QComboBox* list) override;

private:
    void addJourneyMenu();
    void showJourneys();
    QString journeyWords(const mkd::RecentJourney& journey) const;
    // A file's path as the messages show it.
    std::string shownPath(const std::string& path) const;
    void applyMenuRule(int key, int partner);
    void addMenus();
    void addLanguageMenu();
    void addSwap();
    void explainOffMenus();
    // Makes each kind's way in its row names, and connects it to enter().
    void addWaysIn();
    // Writes the two stations into the enquiry in progress.
    void noteStations();
    // Starts the enquiry in progress afresh as one of `kind`.
    void begin(mkd::Enquiry kind);
    void explainMarineMenu(const mkd::MarineMenuJudgement& judged);
    // The menu's last judgement, explained again in another language.
    std::optional<mkd::MarineMenuJudgement> judged_;
    QPushButton* lastWay_ = nullptr;
    // The enquiry of `kind` for the two stations as they are now.
    mkd::EnquiryState enquiry(mkd::Enquiry kind) const;
};
