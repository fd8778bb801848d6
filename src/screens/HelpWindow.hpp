// 使い方: a short page on how to use the program, what the seasons and 学割
// are, and which years the tables cover. A plain window beside the screens,
// not one of them: it never takes part in an enquiry.
#pragma once

#include <QDialog>

class QPushButton;
class QTextBrowser;

class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent);

    // The page, in HTML, in the language shown now; the season periods come
    // from the season calendar.
    static QString page();

    QTextBrowser* text;

protected:
    // A change of language writes the page again.
    void changeEvent(QEvent* event) override;

private:
    void showWords();

    QPushButton* closeButton;
};
