#include "app/SettingsFile.hpp"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <cerrno>

#include "data/careful_save.hpp"
#include "data/table_reader.hpp"

namespace {

// QSettings reads and writes its INI form only in files: a private copy in
// a folder of our own, which never is the user's file, stands in for it.
QString privateCopy(const QTemporaryDir& dir) { return dir.filePath(QStringLiteral("mkd.conf")); }

}  // namespace

SettingsFile::SettingsFile(std::string path) : path_(std::move(path)) {}

void SettingsFile::load() {
    if (loaded_) return;
    loaded_ = true;
    if (path_.empty()) return;
    std::string bytes;
    const mkd::LoadResult read = mkd::readFileBytes(path_, bytes, kMaxBytes);
    if (read.error == mkd::LoadError::TooLarge) {
        problem_ = kTooLarge;
        return;
    }
    if (!read.ok()) {
        // Nothing stored yet is no problem: the first save makes the file.
        if (read.systemError != ENOENT) problem_ = read.systemError;
        return;
    }
    QTemporaryDir dir;
    if (!dir.isValid()) return;
    QFile copy(privateCopy(dir));
    if (!copy.open(QIODevice::WriteOnly) ||
        copy.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()))
        return;
    copy.close();
    const QSettings settings(privateCopy(dir), QSettings::IniFormat);
    for (const QString& key : settings.allKeys()) values_.insert(key, settings.value(key));
}

QVariant SettingsFile::value(const QString& key) {
    load();
    return values_.value(key);
}

bool SettingsFile::setValue(const QString& key, const QVariant& value) {
    load();
    values_.insert(key, value);
    if (path_.empty() || problem_ != 0) return false;

    QTemporaryDir dir;
    if (!dir.isValid()) {
        problem_ = EIO;
        return false;
    }
    {
        QSettings settings(privateCopy(dir), QSettings::IniFormat);
        for (auto it = values_.cbegin(); it != values_.cend(); ++it) settings.setValue(it.key(), it.value());
        settings.sync();
        if (settings.status() != QSettings::NoError) {
            problem_ = EIO;
            return false;
        }
    }
    QFile copy(privateCopy(dir));
    if (!copy.open(QIODevice::ReadOnly)) {
        problem_ = EIO;
        return false;
    }
    const QByteArray text = copy.readAll();
    const mkd::SaveResult saved = mkd::saveCarefully(
        path_, std::string_view(text.constData(), static_cast<std::size_t>(text.size())), {.makeFolder = true});
    if (saved.ok()) return true;
    problem_ = saved.problem == mkd::SaveProblem::ReadOnlyFile ? kReadOnlyFile : saved.error != 0 ? saved.error : EIO;
    return false;
}
