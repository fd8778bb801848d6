// The user's settings file (~/.config/mkd/mkd.conf): the language chosen and
// where the last screen was, in the INI form QSettings writes, read and
// written with the care the stored pair gets.
//
// The file is read once, through a link to a regular file, and never when it
// is anything else (a device, a pipe, a folder: a pipe would hold the start
// up for ever) or larger than the program ever writes it. Such a file is not
// written either: the settings then last as long as the program runs. A save
// is mkd::saveCarefully(): through a link to the regular file it names, never
// by renaming over a device, a pipe or a folder, and never leaving the file
// half-written.
#pragma once

#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <cstddef>
#include <string>

class SettingsFile {
public:
    // Far more than the program ever writes (a language code and two
    // rectangles take about 100 bytes).
    static constexpr std::size_t kMaxBytes = 8 * 1024;

    // Why the file is not used: an errno value, mkd::kNotARegularFile, or
    // one of these.
    static constexpr int kTooLarge = -2;
    static constexpr int kReadOnlyFile = -3;  // the user took the write permission away

    // `path` is the file; "" keeps the settings for this run only.
    explicit SettingsFile(std::string path);

    const std::string& path() const { return path_; }
    QVariant value(const QString& key);
    // Stores `value` and writes the file; false when the file is not used or
    // the write failed (problem() says why).
    bool setValue(const QString& key, const QVariant& value);

    // 0 while the file is used (or does not exist yet); else why not.
    int problem() const { return problem_; }

private:
    void load();

    std::string path_;
    bool loaded_ = false;
    int problem_ = 0;
    QVariantMap values_;
};
