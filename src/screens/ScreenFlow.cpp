#include "screens/ScreenFlow.hpp"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLayout>
#include <QLibraryInfo>
#include <QScreen>
#include <QTimer>
#include <QTranslator>
#include <algorithm>
#include <functional>
#include <string_view>

#include "explain/enquiry_words.hpp"
#include "screens/ChoiceScreen.hpp"
#include "screens/HelpWindow.hpp"
#include "screens/KindScreens.hpp"
#include "screens/Screen.hpp"
#include "screens/moves.hpp"
#include "screens/program_font.hpp"
#include "screens/screen_types.hpp"
#include "screens/text.hpp"
#include "words/language.hpp"

namespace {
const QString kLanguageSetting = QStringLiteral("language");
}

ScreenFlow::ScreenFlow(Seam& seam, mkd::TableStore& tables, mkd::Lang systemLanguage)
    : seam_(seam), tables_(tables), systemLanguage_(systemLanguage) {}

ScreenFlow::~ScreenFlow() {
    for (auto& [name, screen] : screens_) delete screen;
    // A discarded screen not yet destroyed by the event loop goes with the
    // flow: it must never handle an event (a change of language) after the
    // tables it reads are gone.
    for (const QPointer<Screen>& screen : discarded_) delete screen.data();
    if (fontBefore_) QApplication::setFont(*fontBefore_);
}

namespace {

// The settings that hold the last screen's place: its frame, and its client
// area within, as the window system last drew them.
const QString kFrameKey = QStringLiteral("window/frame");
const QString kClientKey = QStringLiteral("window/client");

// Runs `then` once `window` has painted itself for the first time (any of
// its widgets), after that paint: work the first sight of the window need
// not wait for.
class AfterFirstPaint : public QObject {
public:
    AfterFirstPaint(QWidget* window, std::function<void()> then)
        : QObject(window), window_(window), then_(std::move(then)) {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || !watched->isWidgetType() ||
            static_cast<QWidget*>(watched)->window() != window_)
            return false;
        qApp->removeEventFilter(this);
        QTimer::singleShot(0, this, [this] {
            then_();
            deleteLater();
        });
        return false;
    }

private:
    QWidget* window_;
    std::function<void()> then_;
};

QMargins marginsBetween(const QRect& outer, const QRect& inner) {
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

}  // namespace

bool ScreenFlow::start() {
    restorePlace();
    setLanguage(chosenLanguage(seam_, systemLanguage_));
    Screen* start = loaded("frmStart");
    if (!start) return false;
    start->show();
    new AfterFirstPaint(start, [this] { useQtWords(); });
    return true;
}

mkd::Lang ScreenFlow::chosenLanguage(const Seam& seam, mkd::Lang systemLanguage) {
    const std::string chosen = seam.setting(kLanguageSetting).toString().toStdString();
    return mkd::languageFromCode(chosen).value_or(systemLanguage);
}

void ScreenFlow::chooseLanguage(mkd::Lang lang) {
    setLanguage(lang);
    seam_.setSetting(kLanguageSetting, QString::fromLatin1(mkd::languageCode(lang).data()));
}

void ScreenFlow::useQtWords() {
    if (qtWordsWanted_) return;
    qtWordsWanted_ = true;
    qtWords(language_);
}

void ScreenFlow::setLanguage(mkd::Lang lang) {
    if (qtWordsWanted_) qtWords(lang);
    // Japanese, the words' own source, needs no translator: none is loaded
    // until English is asked for.
    if (lang == language_) return;
    language_ = lang;
    interfaceFont(lang);
    if (lang == mkd::Lang::Japanese) {
        QCoreApplication::removeTranslator(english_.get());
        return;
    }
    if (!english_) {
        english_ = std::make_unique<QTranslator>();
        // Built into the program; a failure here is a build fault, and the
        // screens then keep their Japanese.
        if (!english_->load(QStringLiteral(":/i18n/mkd_en.qm"))) qWarning("mkd: the English words are missing");
    }
    QCoreApplication::installTranslator(english_.get());
}

void ScreenFlow::interfaceFont(mkd::Lang lang) {
    // The screens draw with fonts of their own; this is every other window's.
    if (lang == mkd::Lang::Japanese) {
        if (fontBefore_) QApplication::setFont(*fontBefore_);
        return;
    }
    if (!fontBefore_) fontBefore_ = QApplication::font();
    QFont latin = *fontBefore_;
    latin.setFamilies(latinInterfaceFaces());
    QApplication::setFont(latin);
}

void ScreenFlow::qtWords(mkd::Lang lang) {
    // Qt's own words (the file dialogs, standard buttons) in the screens'
    // language: Qt's Japanese translation where it is installed (the package
    // qt6-translations-l10n); Qt's own English otherwise.
    if (lang != mkd::Lang::Japanese) {
        if (qtJapanese_) QCoreApplication::removeTranslator(qtJapanese_.get());
        return;
    }
    if (!qtJapanese_) {
        qtJapanese_ = std::make_unique<QTranslator>();
        qtJapaneseFound_ =
            qtJapanese_->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    }
    if (qtJapaneseFound_) QCoreApplication::installTranslator(qtJapanese_.get());
}

Screen* ScreenFlow::find(const QString& name) const {
    for (const auto& [n, s] : screens_)
        if (n == name) return s;
    return nullptr;
}

std::vector<Screen*> ScreenFlow::loadedScreens() const {
    std::vector<Screen*> out;
    for (const auto& entry : screens_) out.push_back(entry.second);
    return out;
}

void ScreenFlow::offerHelp(Screen& screen) {
    HelpWindow::offer(screen, *this, HelpWindow::sectionOf(screen.objectName()));
}

Screen* ScreenFlow::loaded(const char* name) {
    if (ended_) return nullptr;
    if (Screen* s = find(QString::fromLatin1(name))) return s;
    Screen* s = makeScreen(*this, name);
    if (!s) return nullptr;
    s->showTitle();
    offerHelp(*s);
    screens_.emplace_back(QString::fromLatin1(name), s);
    s->Form_Load();
    return ended_ ? nullptr : s;
}

Screen* ScreenFlow::follow(Screen& from, const char* control, std::optional<mkd::Enquiry> kind) {
    const Move* move = findMove(from.objectName().toStdString(), control, kind);
    if (!move || ended_) return nullptr;
    if (move->discardFrom)
        unload(from);
    else
        from.hide();
    for (const std::string& name : move->discards)
        if (Screen* s = find(QString::fromStdString(name))) unload(*s);
    Screen* next = loaded(move->to.c_str());
    if (next) next->show();
    // A new enquiry starts where its first typed key belongs: the boarding
    // station's list, whatever had the focus when the start screen was left.
    if (next && std::string_view(control) == "cmdRetry")
        if (auto* list = next->findChild<QComboBox*>(QStringLiteral("cboHatu"))) list->setFocus(Qt::OtherFocusReason);
    return next;
}

void ScreenFlow::unload(Screen& screen) {
    if (ended_ || std::find(unloading_.begin(), unloading_.end(), &screen) != unloading_.end()) return;
    unloading_.push_back(&screen);
    screen.Form_Unload();
    unloading_.erase(std::find(unloading_.begin(), unloading_.end(), &screen));
    if (ended_) return;  // the unload step ended the program and took every screen with it
    auto it = std::find_if(screens_.begin(), screens_.end(), [&](const auto& e) { return e.second == &screen; });
    if (it == screens_.end()) return;
    screens_.erase(it);
    screen.hide();
    // The handler that asked for the discard may still be running on this
    // screen; it is destroyed once control is back in the event loop.
    discard(screen);
}

void ScreenFlow::discard(Screen& screen) {
    std::erase_if(discarded_, [](const QPointer<Screen>& s) { return s.isNull(); });
    discarded_.emplace_back(&screen);
    screen.deleteLater();
}

void ScreenFlow::startEnquiry(mkd::Enquiry kind) {
    enquiry_ = {};
    enquiry_.request.kind = kind;
    stepsRead_.clear();
}

bool ScreenFlow::takeStep(mkd::Step step) {
    const KindScreens& row = kindScreens(enquiry_.request.kind);
    const mkd::EnquiryState state(tables_, enquiry_.request);
    const auto read = [this](mkd::TableFile file) -> std::optional<mkd::Refused> {
        if (load(file)) return std::nullopt;
        mkd::Refused unreadable;  // already said, and the program has ended
        unreadable.refusal = mkd::Refusal::TableUnreadable;
        unreadable.file = file;
        return unreadable;
    };
    auto at = std::find(mkd::kSteps.begin(), mkd::kSteps.end(), step);
    do {
        if (const auto refused = mkd::takeStep(state, *at, read, stepsRead_)) {
            if (refused->refusal != mkd::Refusal::TableUnreadable)
                message(toQt(mkd::refusalText(*refused, language_)), toQt(mkd::refusalDetail(*refused, language_)));
            return false;
        }
    } while (++at != mkd::kSteps.end() && !stepOnScreen(row, *at));
    return true;
}

bool ScreenFlow::load(mkd::TableFile file) {
    const mkd::LoadResult result = tables_.load(file);
    if (result.ok()) return true;
    const auto& info = mkd::tableFileInfo(file);
    fatal(QString::fromStdString(mkd::describeLoadError(result, tables_.lastPath(), info.size, language_)));
    return false;
}

void ScreenFlow::fatal(const QString& text) {
    if (ended_) return;
    seam_.fatal(text);
    endProgram(1);
}

void ScreenFlow::placeScreen(Screen& screen) {
    QScreen* display = last_.valid() ? QGuiApplication::screenAt(last_.frame.center()) : nullptr;
    if (!display) display = screen.screen();
    if (!display) return;
    const QRect available = display->availableGeometry();
    if (screen.layout()) screen.layout()->activate();
    screen.fitWithin(available.size().shrunkBy(last_.margins));
    if (last_.valid()) {
        screen.move(placeReplacing(last_, screen.size(), available).topLeft());
    } else if (screen.width() >= available.width() || screen.height() >= available.height()) {
        // No place to follow yet, and no room to spare: the whole window on
        // the display rather than where the window manager might put it.
        screen.move(available.topLeft());
    }
}

void ScreenFlow::screenHidden(Screen& screen) {
    if (!screen.isVisible()) return;
    const QRect frame = screen.frameGeometry();
    last_ = {frame, marginsBetween(frame, screen.geometry())};
}

void ScreenFlow::restorePlace() {
    const QRect frame = seam_.setting(kFrameKey).toRect();
    const QRect client = seam_.setting(kClientKey).toRect();
    // A place off every display (one unplugged since), or one no screen of
    // ours could have had, is forgotten.
    if (!frame.isValid()) return;
    const QScreen* display = QGuiApplication::screenAt(frame.center());
    if (!display || !plausiblePlace(frame, client, display->geometry())) return;
    last_ = {frame, marginsBetween(frame, client)};
}

void ScreenFlow::savePlace() {
    for (auto& entry : screens_) screenHidden(*entry.second);
    if (!last_.valid()) return;
    seam_.setSetting(kFrameKey, last_.frame);
    seam_.setSetting(kClientKey, last_.frame.marginsRemoved(last_.margins));
}

void ScreenFlow::endProgram(int status) {
    if (ended_) return;
    ended_ = true;
    savePlace();
    for (auto& [name, screen] : screens_) {
        screen->hide();
        discard(*screen);
    }
    screens_.clear();
    seam_.endProgram(status);
}
