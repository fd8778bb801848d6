#include "screens/AnswerOut.hpp"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QLabel>

#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLibrary>
#include <QLineEdit>
#include <QMimeData>
#include <QStringList>
#include <QTemporaryDir>
#include <QToolTip>
#include <string_view>

#include "data/table_edition.hpp"
#include "explain/answer_words.hpp"
#include "records/journey_list.hpp"
#include "screens/DateScreen.hpp"
#include "screens/ExportFile.hpp"
#include "screens/HelpWindow.hpp"
#include "screens/JourneyWindow.hpp"
#include "screens/KindScreens.hpp"
#include "screens/Screen.hpp"
#include "screens/ScreenFlow.hpp"
#include "screens/StationFinder.hpp"
#include "screens/file_out.hpp"
#include "screens/frmStart.hpp"
#include "screens/print_module_load.hpp"
#include "screens/shortcuts.hpp"
#include "screens/text.hpp"

namespace {

std::vector<mkd::RecentJourney> storedRecent(const QVariant& stored) {
    std::vector<mkd::RecentJourney> recent;
    for (const QString& text : stored.toStringList())
        if (auto j = mkd::readRecent(text.toStdString()); j && recent.size() < mkd::kRecentJourneys)
            recent.push_back(*j);
    return recent;
}

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
    copy_ = action(shortcutKey(Shortcut::Copy), &AnswerOut::copy);
    add_ = action(shortcutKey(Shortcut::AddToJourneys), &AnswerOut::addToJourneys);
    list_ = new QAction(&screen_);
    list_->setShortcut(shortcutKey(Shortcut::OpenJourneys));
    screen_.addAction(list_);
    connect(list_, &QAction::triggered, this, [this] {
        if (JourneyWindow* w = journeyWindow(flow_)) w->open();
    });
    print_ = action(shortcutKey(Shortcut::Print), &AnswerOut::print);
    pdf_ = action(shortcutKey(Shortcut::SavePdf), &AnswerOut::savePdf);
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
        const mkd::EnquiryInProgress& e = flow_.enquiry();
        const mkd::RecentJourney shown = mkd::recentOf(e.request, e.date ? std::optional(e.date->date) : std::nullopt);
        flow_.seam().updateSetting(QStringLiteral("journeys/recent"), [&shown](const QVariant& stored) {
            std::vector<mkd::RecentJourney> recent = storedRecent(stored);
            mkd::remember(recent, shown);
            QStringList kept;
            for (const mkd::RecentJourney& j : recent) kept << toQt(mkd::recentText(j));
            return QVariant(kept);
        });
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
                           tr("交通費明細に追加しました（%n件）", nullptr, count), &screen_);
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
    return storedRecent(flow.seam().setting(QStringLiteral("journeys/recent")));
}

namespace {

using Favourites = std::vector<std::pair<QString, mkd::RecentJourney>>;

const QString kFavouritesKey = QStringLiteral("journeys/favourites");

Favourites favouritesOf(const QVariant& stored) {
    Favourites favourites;
    for (const QString& text : stored.toStringList()) {
        const qsizetype tab = text.lastIndexOf(QLatin1Char('\t'));
        if (tab <= 0) continue;
        if (auto j = mkd::readRecent(text.mid(tab + 1).toStdString())) favourites.emplace_back(text.left(tab), *j);
    }
    return favourites;
}

QVariant storedFavourites(const Favourites& favourites) {
    QStringList kept;
    for (const auto& [name, j] : favourites) kept << name + QLatin1Char('\t') + toQt(mkd::recentText(j));
    return kept;
}

QString favouritesFull() {
    return QCoreApplication::translate("AnswerOut",
                                       "お気に入りは %1 件までです。使わないものを削除してから登録してください。")
        .arg(kMaxFavourites);
}

}  // namespace

std::vector<std::pair<QString, mkd::RecentJourney>> favouriteJourneys(ScreenFlow& flow) {
    return favouritesOf(flow.seam().setting(kFavouritesKey));
}

void keepFavourite(QWidget* parent, ScreenFlow& flow, const mkd::RecentJourney& journey, const QString& suggested) {
    if (favouriteJourneys(flow).size() >= static_cast<std::size_t>(kMaxFavourites)) {
        flow.message(favouritesFull());
        return;
    }
    QInputDialog dialog(parent);
    dialog.setWindowTitle(QCoreApplication::translate("frmStart", "お気に入りに登録"));
    dialog.setLabelText(QCoreApplication::translate("AnswerOut", "名前（%1文字まで）:").arg(kMaxFavouriteName));
    dialog.setTextValue(suggested.left(kMaxFavouriteName));
    if (auto* field = dialog.findChild<QLineEdit*>()) {
        field->setMaxLength(kMaxFavouriteName);
        const QString says = QCoreApplication::translate("AnswerOut", "%1文字まで").arg(kMaxFavouriteName);
        field->setToolTip(says);
        field->setAccessibleDescription(says);
    }
    if (dialog.exec() != QDialog::Accepted) return;
    const QString name = dialog.textValue().trimmed().remove(QLatin1Char('\t')).left(kMaxFavouriteName);
    if (name.isEmpty()) return;
    bool full = false;
    flow.seam().updateSetting(kFavouritesKey, [&](const QVariant& stored) {
        Favourites kept = favouritesOf(stored);
        full = kept.size() >= static_cast<std::size_t>(kMaxFavourites);
        if (!full) kept.emplace_back(name, journey);
        return storedFavourites(kept);
    });
    if (full) flow.message(favouritesFull());
}

void forgetFavourite(ScreenFlow& flow, const QString& name, const mkd::RecentJourney& journey) {
    flow.seam().updateSetting(kFavouritesKey, [&](const QVariant& stored) {
        Favourites kept = favouritesOf(stored);
        const auto at = std::find(kept.begin(), kept.end(), std::pair(name, journey));
        if (at != kept.end()) kept.erase(at);
        return storedFavourites(kept);
    });
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
    // What was asked besides the buttons goes into the screen that asks for
    // it before its step: the section chosen, the travel date.
    const auto setUp = [&flow, &journey](const QString& screen) {
        Screen* s = flow.find(screen);
        if (!s) return;
        auto list = [s](const char* name) { return s->findChild<QComboBox*>(QString::fromLatin1(name)); };
        if (auto* date = qobject_cast<DateScreen*>(s); date && journey.date) {
            date->cboNen->setCurrentIndex(journey.date->year - mkd::kFirstListedYear);
            date->cboTuki->setCurrentIndex(journey.date->month - 1);
            date->cboNiti->setCurrentIndex(journey.date->day - 1);
        } else if (journey.section && list("cboHatu") && list("cboTyaku")) {
            StationFinder::choose(list("cboHatu"), journey.section->from);
            StationFinder::choose(list("cboTyaku"), journey.section->to);
        }
    };
    for (const Step& step : steps) {
        if (flow.ended()) return;
        if (step.screen != std::string_view("frmStart")) setUp(QString::fromLatin1(step.screen));
        if (!press(QString::fromLatin1(step.screen), step.control)) return;
    }
    Screen* choice = nullptr;
    for (Screen* s : flow.loadedScreens())
        if (s->isVisible()) choice = s;
    if (!choice) return;
    const QString name = choice->objectName();
    if (journey.trip == mkd::Trip::RoundTrip && !press(name, "optOfuku")) return;
    if (journey.routing == mkd::Routing::ChangeAtMatsuyama && !press(name, "optNorikae")) return;
    press(name, journey.passenger == mkd::Passenger::Child     ? "cmdKodomo"
                : journey.passenger == mkd::Passenger::Student ? "cmdGakuwari"
                                                               : "cmdOtona");
}

JourneyWindow* journeyWindow(ScreenFlow& flow) {
    auto* start = flow.loaded<frmStart>();
    if (!start) return nullptr;
    if (auto* w = start->findChild<JourneyWindow*>(QString(), Qt::FindDirectChildrenOnly)) return w;
    auto* w = new JourneyWindow(start, flow);
    HelpWindow::offer(*w, flow, QStringLiteral("journeys"));
    return w;
}

namespace {

// The print module, loaded the first time it is needed and kept: beside the
// program (the build), else where it is installed (print_module_load.hpp).
const PrintModule& printModule() {
    static const PrintModule module = loadPrintModule(programModulePlaces());
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
    if (!printModuleLoaded(flow)) return {};
    const QString path = askExportPath(parent, flow, AnswerOut::tr("PDFとして保存"), title + QStringLiteral(".pdf"),
                                       AnswerOut::tr("PDF (*.pdf)"), QStringLiteral("pdf"));
    if (path.isEmpty()) return {};
    // The PDF is made in a folder of the program's own and then saved like
    // any export: the path the user gave is never opened for writing itself
    // (a pipe there would hold the program up for ever).
    const QTemporaryDir made;
    const QString draft = made.filePath(QStringLiteral("draft.pdf"));
    QFile pdf(draft);
    if (!made.isValid() || !writePdf(html, draft) || !pdf.open(QIODevice::ReadOnly)) {
        flow.message(AnswerOut::tr("PDFを書けませんでした。"), path);
        return {};
    }
    const QByteArray bytes = pdf.readAll();
    if (!exportBytes(flow, path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                     AnswerOut::tr("PDFを書けませんでした。")))
        return {};
    return path;
}
