// The life cycle of every screen, in one place.
//
// A screen is created the first time anything touches it (showing it, reading
// or setting one of its controls) and its load step runs then; hiding keeps
// it with all its state; discarding runs its unload step, hides it and
// destroys it, so the next touch creates it afresh. Ending the program
// destroys every screen without running any unload step.
//
// Every screen shows where the screen it replaces was: centred on it, so the
// screens of an enquiry feel like one window that changes its content; a
// screen larger than the display's free area is fitted on it and scrolls.
// The place of the last screen is kept in the user's settings when the
// program ends, and the start screen opens there at the next start.
//
// A click travels like this: the Qt signal of a control calls the screen's
// handler (cmdOtona_Click); the handler reads its controls, asks the core
// (pricing/, data/) for the answer, writes the controls of the next screen,
// which it reaches through loaded<T>(), and hides itself and shows that one.
#pragma once

#include <QFont>
#include <QPointer>
#include <QString>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "data/table_store.hpp"
#include "pricing/enquiry.hpp"
#include "screens/ScreenPlace.hpp"
#include "screens/Seam.hpp"
#include "words/words.hpp"

class QTranslator;
class Screen;

class ScreenFlow {
public:
    // `systemLanguage` is the language the screens speak until the user
    // chooses one (see start()).
    ScreenFlow(Seam& seam, mkd::TableStore& tables, mkd::Lang systemLanguage = mkd::Lang::Japanese);
    ~ScreenFlow();
    ScreenFlow(const ScreenFlow&) = delete;
    ScreenFlow& operator=(const ScreenFlow&) = delete;

    // Starts the program: takes the language the user chose last (the
    // setting "language"), else the system's; creates the start screen (its
    // load step is the start-up sequence) and shows it. False when the
    // start-up failed.
    bool start();

    // The language the screens speak now.
    mkd::Lang language() const { return language_; }
    // The user's choice of language: every screen, shown or hidden, changes
    // at once (Qt sends each window a LanguageChange), and the choice is kept
    // for the next start.
    void chooseLanguage(mkd::Lang lang);
    // The language the user chose last (the setting "language"), else
    // `systemLanguage`.
    static mkd::Lang chosenLanguage(const Seam& seam, mkd::Lang systemLanguage);

    // The screen named `name`, created and loaded if needed. Null once the
    // program has ended (also when its load step ended it).
    Screen* loaded(const char* name);
    template <class T>
    T* loaded() {
        return static_cast<T*>(loaded(T::kName));
    }

    // The screen of type T if it is loaded; never creates it.
    template <class T>
    T* find() const {
        return static_cast<T*>(find(QString::fromLatin1(T::kName)));
    }
    Screen* find(const QString& name) const;

    // Every loaded screen, in the order they were created.
    std::vector<Screen*> loadedScreens() const;

    // Discards a screen: its unload step, then hidden and destroyed.
    void unload(Screen& screen);
    template <class T>
    void unload() {
        if (auto* s = find<T>()) unload(*s);
    }

    // Takes the move from `from` through its control `control` (on an
    // enquiry of `kind` where the move depends on it; see moves.hpp): hides
    // or discards `from` and the screens the move discards, then shows the
    // screen it leads to and returns it. Null when there is no such move or
    // the program has ended.
    Screen* follow(Screen& from, const char* control, std::optional<mkd::Enquiry> kind = std::nullopt);

    // Reads a table file; a file that cannot be used is a fatal error, after
    // which the program has ended and the handler must stop.
    bool load(mkd::TableFile file);

    void message(const QString& text, const QString& informative = {}) { seam_.message(text, informative); }
    bool confirm(const QString& text, const QString& informative = {}) { return seam_.confirm(text, informative); }
    void fatal(const QString& text);
    void endProgram(int status = 0);
    bool ended() const { return ended_; }

    // The enquiry the user is building, and the answer shown last.
    mkd::EnquiryInProgress& enquiry() { return enquiry_; }
    // Starts the enquiry in progress afresh as one of `kind`: nothing of the
    // last one carries over.
    void startEnquiry(mkd::Enquiry kind);
    // Takes `step` of the enquiry in progress as mkd-fare takes it (see
    // mkd::takeStep): says why where the core refuses it, reads its tables
    // (a file that cannot be used ends the program), then takes the steps
    // that follow it without a screen of their own. False where the
    // enquiry stops.
    bool takeStep(mkd::Step step);
    // The files the steps of the enquiry in progress read, in order.
    const std::vector<mkd::StepRead>& stepsRead() const { return stepsRead_; }
    const mkd::EnquiryInProgress& enquiry() const { return enquiry_; }

    mkd::TableStore& tables() { return tables_; }
    // Qt's own words (file dialogs, standard buttons) in the screens'
    // language from now on: loaded once the start screen has painted, or
    // here, when a dialog is wanted before that.
    void useQtWords();
    Seam& seam() { return seam_; }

    // Called by a screen about to be shown: moves it to its place.
    void placeScreen(Screen& screen);
    // Called by a shown screen about to be hidden: remembers its place.
    void screenHidden(Screen& screen);

private:
    // F1 on `screen`: the help at its part.
    void offerHelp(Screen& screen);
    void restorePlace();
    void savePlace();
    void discard(Screen& screen);
    void setLanguage(mkd::Lang lang);
    void qtWords(mkd::Lang lang);
    void interfaceFont(mkd::Lang lang);

    Seam& seam_;
    mkd::TableStore& tables_;
    mkd::EnquiryInProgress enquiry_;
    std::vector<mkd::StepRead> stepsRead_;
    std::vector<std::pair<QString, Screen*>> screens_;
    std::vector<Screen*> unloading_;
    // Screens hidden and handed to the event loop for destruction.
    std::vector<QPointer<Screen>> discarded_;
    ScreenPlace last_;
    bool ended_ = false;
    mkd::Lang systemLanguage_;
    mkd::Lang language_ = mkd::Lang::Japanese;
    // The English words of the screens, installed while the screens speak
    // English; Japanese is the words' own source and needs none.
    std::unique_ptr<QTranslator> english_;
    std::unique_ptr<QTranslator> qtJapanese_;  // Qt's own words in Japanese, once loaded
    bool qtJapaneseFound_ = false;
    std::optional<QFont> fontBefore_;
    bool qtWordsWanted_ = false;  // Qt's own words follow the language (after the first paint)  // the application's
                                  // font before English changed it
};
