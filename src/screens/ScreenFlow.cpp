#include "screens/ScreenFlow.hpp"

#include <QCoreApplication>
#include <QTranslator>
#include <algorithm>

#include "screens/Screen.hpp"
#include "screens/frmStart.hpp"
#include "words/language.hpp"

namespace {
const QString kLanguageSetting = QStringLiteral("language");
}

ScreenFlow::ScreenFlow(Seam& seam, mkd::mdlKeisan& tables, mkd::Lang systemLanguage)
    : seam_(seam), tables_(tables), systemLanguage_(systemLanguage) {}

ScreenFlow::~ScreenFlow() {
    for (auto& [name, screen] : screens_) delete screen;
}

bool ScreenFlow::start() {
    const std::string chosen = seam_.setting(kLanguageSetting).toString().toStdString();
    setLanguage(mkd::languageFromCode(chosen).value_or(systemLanguage_));
    auto* start = touch<frmStart>();
    if (!start) return false;
    start->show();
    return true;
}

void ScreenFlow::chooseLanguage(mkd::Lang lang) {
    setLanguage(lang);
    seam_.setSetting(kLanguageSetting, QString::fromLatin1(mkd::languageCode(lang).data()));
}

void ScreenFlow::setLanguage(mkd::Lang lang) {
    language_ = lang;
    const bool english = lang == mkd::Lang::English;
    if (english == englishInstalled_) return;
    if (english && !english_) {
        english_ = std::make_unique<QTranslator>();
        // Built into the program; a failure here is a build fault, and the
        // screens then keep their Japanese.
        if (!english_->load(QStringLiteral(":/i18n/mkd_en.qm"))) qWarning("mkd: the English words are missing");
    }
    if (english)
        QCoreApplication::installTranslator(english_.get());
    else
        QCoreApplication::removeTranslator(english_.get());
    englishInstalled_ = english;
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

void ScreenFlow::add(const char* name, Screen* screen) { screens_.emplace_back(QString::fromLatin1(name), screen); }

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
    screen.deleteLater();
}

bool ScreenFlow::load(mkd::TableFile file) {
    const mkd::LoadResult result = tables_.load(file);
    if (result.ok()) return true;
    const auto& info = mkd::tableFileInfo(file);
    fatal(QString::fromStdString(mkd::describeLoadError(result, tables_.lastPath(), info.size)));
    return false;
}

void ScreenFlow::fatal(const QString& text) {
    if (ended_) return;
    seam_.fatal(text);
    endProgram(1);
}

void ScreenFlow::endProgram(int status) {
    if (ended_) return;
    ended_ = true;
    for (auto& [name, screen] : screens_) {
        screen->hide();
        screen->deleteLater();
    }
    screens_.clear();
    seam_.endProgram(status);
}
