#include "app/SettingsFile.hpp"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <cerrno>
#include <optional>

#include "data/careful_save.hpp"
#include "data/table_reader.hpp"

namespace {

// QSettings reads and writes its INI form only in files: a private copy in
// a folder of our own, which never is the user's file, stands in for it.
QString privateCopy(const QTemporaryDir& dir) { return dir.filePath(QStringLiteral("mkd.conf")); }

}  // namespace

SettingsFile::SettingsFile(std::string path) : path_(std::move(path)) {}

void SettingsFile::refresh(bool locked) {
    if (path_.empty() || problem_ != 0) return;
    const mkd::FileState state = mkd::FileState::of(path_);
    if (read_ && state == state_) return;
    read_ = true;
    state_ = state;
    std::string bytes;
    const mkd::LoadResult read = mkd::readFileBytes(path_, bytes, kMaxBytes);
    if (read.error == mkd::LoadError::TooLarge) {
        // Never a lock-out: the file is kept for the user, the settings
        // start afresh.
        std::optional<mkd::FolderLock> lock;
        if (!locked) lock.emplace(path_);
        int why = 0;
        keptAs_ = mkd::setAside(path_, ".too-large-", why);
        if (keptAs_.empty()) problem_ = kTooLarge;
        values_.clear();
        state_ = mkd::FileState::of(path_);
        return;
    }
    if (!read.ok()) {
        // Nothing stored yet is no problem: the first save makes the file.
        if (read.systemError != ENOENT) problem_ = read.systemError;
        if (read.systemError == ENOENT) values_.clear();
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
    values_.clear();
    for (const QString& key : settings.allKeys()) values_.insert(key, settings.value(key));
}

QVariant SettingsFile::value(const QString& key) {
    refresh(false);
    return values_.value(key);
}

bool SettingsFile::setValue(const QString& key, const QVariant& value) {
    return update(key, [&value](const QVariant&) { return value; });
}

bool SettingsFile::update(const QString& key, const std::function<QVariant(const QVariant&)>& change) {
    if (path_.empty() || problem_ != 0) {
        values_.insert(key, change(values_.value(key)));
        return false;
    }
    const mkd::FolderLock lock(path_, true);
    // What another program saved since is kept: only this key changes.
    refresh(true);
    values_.insert(key, change(values_.value(key)));
    return write();
}

bool SettingsFile::write() {
    if (problem_ != 0) return false;
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
    // What the program writes it reads back: the caps on what a user keeps
    // hold it far below kMaxBytes; should they not, this change is not saved
    // rather than the file refused at the next start.
    if (static_cast<std::size_t>(text.size()) > kMaxBytes) return false;
    const mkd::SaveResult saved = mkd::saveCarefully(
        path_, std::string_view(text.constData(), static_cast<std::size_t>(text.size())), {.makeFolder = true});
    if (saved.ok()) {
        state_ = mkd::FileState::of(path_);
        return true;
    }
    problem_ = saved.problem == mkd::SaveProblem::ReadOnlyFile ? kReadOnlyFile : saved.error != 0 ? saved.error : EIO;
    return false;
}
