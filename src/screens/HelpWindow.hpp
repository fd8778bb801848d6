// 使い方: a short page on how to use the program, what the seasons and 学割
// are, and which years the tables cover. A plain window beside the screens,
// not one of them: it never takes part in an enquiry.
#pragma once

#include <QDialog>
#include <functional>

#include "words/words.hpp"

class QPushButton;
class ScreenFlow;
class QTextBrowser;

class HelpWindow : public QDialog {
    Q_OBJECT
public:
    // `language` is the language the program speaks now.
    HelpWindow(QWidget* parent, std::function<mkd::Lang()> language);

    // The page, in HTML, in `lang` (its words through the translator
    // installed for it); the season periods come from the season calendar.
    static QString page(mkd::Lang lang);

    // The part of the page about a window, by its object name: "start",
    // "section", "date", "choice", "result", "compare", "journeys".
    static QString sectionOf(const QString& windowName);
    // Shows the one help window (the start screen's) at `section`.
    static void openAt(ScreenFlow& flow, const QString& section);
    // F1 on `window` opens the help at `section`, unless the window offers
    // F1 already.
    static void offer(QWidget& window, ScreenFlow& flow, const QString& section);

    QTextBrowser* text;

protected:
    // A change of language writes the page again.
    void changeEvent(QEvent* event) override;

private:
    void showWords();

    QPushButton* closeButton;
    std::function<mkd::Lang()> language_;
};
