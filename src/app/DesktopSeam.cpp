#include "app/DesktopSeam.hpp"

#include <QCoreApplication>
#include <QDate>
#include <QFontDatabase>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>

namespace {
// The program's name, in the language the screens speak now: in English a
// short one, which a message box's title bar shows whole.
QString title() { return QCoreApplication::translate("DesktopSeam", "みちくさダイヤ"); }

// A message box in the screens' language. The program's font draws kanji
// and kana; English reads better in the desktop's proportional face, which
// the program's fallback faces do not always have for Latin letters.
void speak(QMessageBox& box) {
    if (title() != QStringLiteral("みちくさダイヤ")) box.setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
}
}  // namespace

DesktopSeam::DesktopSeam(QString appDir) : appDir_(std::move(appDir)) {}

DesktopSeam::~DesktopSeam() = default;

QSettings& DesktopSeam::settings() const {
    // The user's own settings live with the user's other settings (by
    // default ~/.config/mkd/mkd.conf), never beside the tables in Untin/,
    // which may be shared or read-only. Opened on first use: at start-up
    // that is one small file.
    if (!settings_)
        settings_ = std::make_unique<QSettings>(
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/mkd/mkd.conf"),
            QSettings::IniFormat);
    return *settings_;
}

QVariant DesktopSeam::setting(const QString& key) const { return settings().value(key); }

void DesktopSeam::setSetting(const QString& key, const QVariant& value) {
    settings().setValue(key, value);
    settings().sync();
}

void DesktopSeam::message(const QString& text, const QString& informative) {
    QMessageBox box(QMessageBox::Information, title(), text, QMessageBox::Ok);
    if (!informative.isEmpty()) box.setInformativeText(informative);
    speak(box);
    box.exec();
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
