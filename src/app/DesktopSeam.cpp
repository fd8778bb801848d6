#include "app/DesktopSeam.hpp"

#include <QApplication>
#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

#include "words/language.hpp"

namespace {
// The program's name, in the language the screens speak now: in English a
// short one, which a message box's title bar shows whole.
QString title() { return QCoreApplication::translate("DesktopSeam", "みちくさダイヤ"); }

// A message box in the screens' language. The program's font draws kanji
// and kana; English reads better in the proportional Latin face the
// application's font takes while the screens speak English.
void speak(QMessageBox& box) {
    if (title() != QStringLiteral("みちくさダイヤ")) box.setFont(QApplication::font());
}

void inform(const QString& text, const QString& informative = {}) {
    QMessageBox box(QMessageBox::Information, title(), text, QMessageBox::Ok);
    if (!informative.isEmpty()) box.setInformativeText(informative);
    speak(box);
    box.exec();
}
}  // namespace

DesktopSeam::DesktopSeam(QString appDir, std::string settingsFile)
    : appDir_(std::move(appDir)), settings_(std::move(settingsFile)) {}

DesktopSeam::~DesktopSeam() = default;

// The user's own settings live with the user's other settings (by default
// ~/.config/mkd/mkd.conf), never beside the tables in Untin/, which may be
// shared or read-only. Read on first use: at start-up that is one small file.
QVariant DesktopSeam::setting(const QString& key) const {
    const QVariant value = settings_.value(key);
    tellSettingsProblem();
    return value;
}

void DesktopSeam::setSetting(const QString& key, const QVariant& value) {
    if (!settings_.setValue(key, value)) tellSettingsProblem();
}

void DesktopSeam::updateSetting(const QString& key, const std::function<QVariant(const QVariant&)>& change) {
    if (!settings_.update(key, change)) tellSettingsProblem();
}

QString DesktopSeam::settingsProblemText() const {
    const mkd::Lang lang = language_ ? language_() : mkd::systemLanguage();
    const int why = settings_.problem();
    const std::string reason = why == SettingsFile::kTooLarge ? std::string(mkd::text(mkd::Msg::ReasonTooLarge, lang))
                               : why == SettingsFile::kReadOnlyFile
                                   ? std::string(mkd::text(mkd::Msg::ReasonReadOnlyFile, lang))
                                   : mkd::reasonText(why, lang);
    if (why == 0 && !settings_.keptAs().empty())
        return QCoreApplication::translate("DesktopSeam",
                                           "設定ファイル %1 は読める大きさ（%2 KB）を超えていたので、%3 "
                                           "として残しました。設定は初めからになります。")
            .arg(QFile::decodeName(settings_.path().c_str()))
            .arg(SettingsFile::kMaxBytes / 1024)
            .arg(QFile::decodeName(settings_.keptAs().c_str()));
    return QCoreApplication::translate(
               "DesktopSeam",
               "設定ファイル %1 は使いません (%2)。言語と画面の位置は、この実行のあいだだけ覚えています。")
        .arg(QFile::decodeName(settings_.path().c_str()), QString::fromStdString(reason));
}

void DesktopSeam::tellSettingsProblem() const {
    if (settingsProblemTold_ || (settings_.problem() == 0 && settings_.keptAs().empty())) return;
    settingsProblemTold_ = true;
    std::fprintf(stderr, "mkd: %s\n", settingsProblemText().toUtf8().constData());
    // Shown once the screens are up, in their language; a start that fails
    // first has said it on standard error.
    QTimer::singleShot(0, qApp, [this] { inform(settingsProblemText()); });
}

void DesktopSeam::message(const QString& text, const QString& informative) { inform(text, informative); }

bool DesktopSeam::confirm(const QString& text, const QString& informative) {
    QMessageBox box(QMessageBox::Question, title(), text, QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::No);
    // The buttons in the screens' language too (Qt's own words are English).
    box.button(QMessageBox::Yes)->setText(QCoreApplication::translate("DesktopSeam", "はい(&Y)"));
    box.button(QMessageBox::No)->setText(QCoreApplication::translate("DesktopSeam", "いいえ(&N)"));
    if (!informative.isEmpty()) box.setInformativeText(informative);
    speak(box);
    return box.exec() == QMessageBox::Yes;
}

void DesktopSeam::fatal(const QString& text) {
    QMessageBox box(QMessageBox::Critical, title(), text, QMessageBox::Ok);
    speak(box);
    box.exec();
}

void DesktopSeam::endProgram(int status) {
    ended_ = true;
    status_ = status;
    QCoreApplication::exit(status);
}

mkd::Date DesktopSeam::today() {
    const QDate d = QDate::currentDate();
    return {d.year(), d.month(), d.day()};
}
