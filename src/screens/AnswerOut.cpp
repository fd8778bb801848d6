#include "screens/AnswerOut.hpp"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLibrary>
#include <QMimeData>
#include <QStringList>
#include <QToolTip>

#include "data/journey_list.hpp"
#include "data/table_edition.hpp"
#include "explain/answer_words.hpp"
#include "screens/JourneyWindow.hpp"
#include "screens/KindScreens.hpp"
#include "screens/Screen.hpp"
#include "screens/ScreenFlow.hpp"
#include "screens/file_out.hpp"
#include "screens/frmStart.hpp"
#include "screens/text.hpp"

namespace {

std::string tablesEdition(ScreenFlow& flow) { return mkd::tablesInUse(flow.tables().locations().tableFolder).edition; }

}  // namespace

AnswerOut::AnswerOut(Screen& screen, ScreenFlow& flow) : QObject(&screen), screen_(screen), flow_(flow) {
    auto action = [this](QKeySequence key, void (AnswerOut::*slot)()) {
        // No object name: the actions are no part of the screens' own
        // controls, which scenarios and the random user reach by name.
        auto* a = new QAction(&screen_);
        a->setShortcut(key);
        a->setShortcutContext(Qt::WindowShortcut);
        screen_.addAction(a);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    copy_ = action(QKeySequence::Copy, &AnswerOut::copy);
    add_ = action(QKeySequence(Qt::CTRL | Qt::Key_D), &AnswerOut::addToJourneys);
    list_ = new QAction(&screen_);
    list_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_J));
    screen_.addAction(list_);
    connect(list_, &QAction::triggered, this, [this] {
        if (JourneyWindow* w = journeyWindow(flow_)) w->open();
    });
    print_ = action(QKeySequence::Print, &AnswerOut::print);
    pdf_ = action(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), &AnswerOut::savePdf);
    screen_.setContextMenuPolicy(Qt::ActionsContextMenu);
    // Selectable text keeps the labels' look; a right click on one shows the
    // screen's menu, not the label's own.
    for (QLabel* label : screen_.findChildren<QLabel*>()) {
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        label->setContextMenuPolicy(Qt::NoContextMenu);
    }
    screen_.installEventFilter(this);
    showWords();
}

void AnswerOut::showWords() {
    copy_->setText(tr("結果をコピー"));
    add_->setText(tr("交通費明細に追加"));
    list_->setText(tr("交通費明細を開く"));
    print_->setText(tr("印刷..."));
    pdf_->setText(tr("PDFとして保存..."));
}

bool AnswerOut::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &screen_ && event->type() == QEvent::LanguageChange) showWords();
    // Every result shown is a recent journey.
    if (watched == &screen_ && event->type() == QEvent::Show && flow_.enquiry().answer) {
        std::vector<mkd::RecentJourney> recent = recentJourneys(flow_);
        mkd::remember(recent, mkd::recentOf(flow_.enquiry().request));
        QStringList kept;
        for (const mkd::RecentJourney& j : recent) kept << toQt(mkd::recentText(j));
        flow_.seam().setSetting(QStringLiteral("journeys/recent"), kept);
    }
    return QObject::eventFilter(watched, event);
}

void AnswerOut::copy() {
    const mkd::AnswerPage page = mkd::answerPage(flow_.enquiry(), tablesEdition(flow_), flow_.language());
    if (page.lines.empty()) return;
    auto* data = new QMimeData;
    data->setText(toQt(mkd::pageText(page)));
    data->setHtml(toQt(mkd::pageHtml(page)));
    QApplication::clipboard()->setMimeData(data);
}

void AnswerOut::addToJourneys() {
    if (!flow_.enquiry().answer) return;
    JourneyWindow* w = journeyWindow(flow_);
    if (!w) return;
    const int count = w->add(flow_.enquiry());
    if (count > 0)
        QToolTip::showText(screen_.mapToGlobal(screen_.rect().center()),
                           tr("交通費明細に追加しました（%1件）").arg(count), &screen_);
}

QString AnswerOut::html() const {
    const mkd::Lang lang = flow_.language();
    const std::string edition = tablesEdition(flow_);
    const mkd::AnswerPage page = mkd::answerPage(flow_.enquiry(), edition, lang);
    const mkd::Date today = flow_.seam().today();
    return toQt(mkd::printHeadingHtml(page.title, mkd::dateText(today), edition, lang)) + toQt(mkd::pageHtml(page));
}

void AnswerOut::print() {
    if (flow_.enquiry().answer) printPreview(&screen_, flow_, html());
}

void AnswerOut::savePdf() {
    if (flow_.enquiry().answer) ::savePdf(&screen_, flow_, html(), screen_.windowTitle());
}

std::vector<mkd::RecentJourney> recentJourneys(ScreenFlow& flow) {
    std::vector<mkd::RecentJourney> recent;
    for (const QString& text : flow.seam().setting(QStringLiteral("journeys/recent")).toStringList())
        if (auto j = mkd::readRecent(text.toStdString()); j && recent.size() < mkd::kRecentJourneys)
            recent.push_back(*j);
    return recent;
}

std::vector<std::pair<QString, mkd::RecentJourney>> favouriteJourneys(ScreenFlow& flow) {
    std::vector<std::pair<QString, mkd::RecentJourney>> favourites;
    for (const QString& text : flow.seam().setting(QStringLiteral("journeys/favourites")).toStringList()) {
        const qsizetype tab = text.lastIndexOf(QLatin1Char('\t'));
        if (tab <= 0) continue;
        if (auto j = mkd::readRecent(text.mid(tab + 1).toStdString())) favourites.emplace_back(text.left(tab), *j);
    }
    return favourites;
}

void setFavouriteJourneys(ScreenFlow& flow, const std::vector<std::pair<QString, mkd::RecentJourney>>& favourites) {
    QStringList kept;
    for (const auto& [name, j] : favourites) kept << name + QLatin1Char('\t') + toQt(mkd::recentText(j));
    flow.seam().setSetting(QStringLiteral("journeys/favourites"), kept);
}

void askAgain(ScreenFlow& flow, const mkd::RecentJourney& journey) {
    auto* start = flow.find<frmStart>();
    if (!start || !start->isVisible()) return;
    start->cboHatu->setCurrentIndex(journey.departure);
    start->cboHatu_Click();
    start->cboTyaku->setCurrentIndex(journey.arrival);
    start->cboTyaku_Click();
    // The kind's way, as its row says: its way in, its section screen's
    // button and its travel date's "次へ".
    struct Step {
        const char* screen;
        const char* control;
    };
    const KindScreens& row = kindScreens(journey.kind);
    std::vector<Step> steps{{"frmStart", row.entry}};
    if (row.section) steps.push_back({row.section, row.leaveSection});
    if (row.date) steps.push_back({row.date, "cmdNext"});
    // Each step as its control's click, on the screen that shows; a step
    // the screens do not offer (a refusal said, a control off) ends the walk.
    auto press = [&flow](const QString& screen, const char* control) {
        Screen* s = flow.find(screen);
        if (!s || !s->isVisible()) return false;
        QObject* o = s->findChild<QObject*>(QString::fromLatin1(control));
        if (auto* b = qobject_cast<QAbstractButton*>(o); b && b->isEnabled() && b->isVisibleTo(s)) {
            b->click();
            return true;
        }
        if (auto* a = qobject_cast<QAction*>(o); a && a->isEnabled()) {
            a->trigger();
            return true;
        }
        return false;
    };
    for (const Step& step : steps)
        if (flow.ended() || !press(QString::fromLatin1(step.screen), step.control)) return;
    Screen* choice = nullptr;
    for (Screen* s : flow.loadedScreens())
        if (s->isVisible()) choice = s;
    if (!choice) return;
    const QString name = choice->objectName();
    if (journey.trip == mkd::Trip::RoundTrip && !press(name, "optOfuku")) return;
    press(name, journey.passenger == mkd::Passenger::Child     ? "cmdKodomo"
                : journey.passenger == mkd::Passenger::Student ? "cmdGakuwari"
                                                               : "cmdOtona");
}

JourneyWindow* journeyWindow(ScreenFlow& flow) {
    auto* start = flow.loaded<frmStart>();
    if (!start) return nullptr;
    if (auto* w = start->findChild<JourneyWindow*>(QString(), Qt::FindDirectChildrenOnly)) return w;
    return new JourneyWindow(start, flow);
}

namespace {

// The print module, loaded the first time it is needed and kept: beside the
// program (the build), else where it is installed.
struct PrintModule {
    void (*preview)(QWidget*, const QString&) = nullptr;
    bool (*pdf)(const QString&, const QString&) = nullptr;
    ClaimPdf claim = nullptr;
    QString error;  // why it could not be loaded
};

const PrintModule& printModule() {
    static const PrintModule module = [] {
        PrintModule m;
        for (const QString& place : modulePlaces(QStringLiteral("mkdprint"))) {
            QLibrary library(place);
            if (!library.load()) {
                if (m.error.isEmpty()) m.error = library.errorString();
                continue;
            }
            m.preview = reinterpret_cast<decltype(m.preview)>(library.resolve("mkdPrintPreview"));
            m.pdf = reinterpret_cast<decltype(m.pdf)>(library.resolve("mkdWritePdf"));
            m.claim = reinterpret_cast<decltype(m.claim)>(library.resolve("mkdWriteClaimPdf"));
            if (m.preview && m.pdf && m.claim) return m;
            m.error = library.errorString();
        }
        m.preview = nullptr;
        m.pdf = nullptr;
        m.claim = nullptr;
        return m;
    }();
    return module;
}

bool printModuleLoaded(ScreenFlow& flow) {
    if (printModule().preview) return true;
    flow.message(AnswerOut::tr("印刷の部品を読み込めませんでした。"), printModule().error);
    return false;
}

}  // namespace

void printPreview(QWidget* parent, ScreenFlow& flow, const QString& html) {
    if (printModuleLoaded(flow)) printModule().preview(parent, html);
}

bool writePdf(const QString& html, const QString& path) { return printModule().pdf && printModule().pdf(html, path); }

ClaimPdf claimPdfWriter(ScreenFlow& flow) { return printModuleLoaded(flow) ? printModule().claim : nullptr; }

QString savePdf(QWidget* parent, ScreenFlow& flow, const QString& html, const QString& title) {
    QString path = QFileDialog::getSaveFileName(parent, AnswerOut::tr("PDFとして保存"), title + QStringLiteral(".pdf"),
                                                AnswerOut::tr("PDF (*.pdf)"));
    if (path.isEmpty()) return {};
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) path += QStringLiteral(".pdf");
    if (!printModuleLoaded(flow)) return {};
    if (!writePdf(html, path)) {
        flow.message(AnswerOut::tr("PDFを書けませんでした。"), path);
        return {};
    }
    return path;
}
