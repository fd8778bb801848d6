// The user's settings file (~/.config/mkd/mkd.conf): the language chosen,
// where the windows were, the recent and favourite journeys, in the INI form
// QSettings writes, read and written with the care the stored pair gets.
//
// Two programs may run at once: a change re-reads the file under the
// folder's lock (mkd::FolderLock) and writes back what it held with only the
// changed key changed, so that neither program's keys are lost; a value asked
// for is read again when another program saved the file since.
//
// The file is read through a link to a regular file, and never when it is
// anything else (a device, a pipe, a folder: a pipe would hold the start up
// for ever); such a file is not written either: the settings then last as
// long as the program runs. A regular file larger than the program reads
// (kMaxBytes, far more than it writes) is set aside as mkd.conf.too-large-1
// (-2, …), said once, and the settings start afresh. A save is
// mkd::saveCarefully(): through a link to the regular file it names, never
// by renaming over a device, a pipe or a folder, and never leaving the file
// half-written.
#pragma once

#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <cstddef>
#include <functional>
#include <string>

#include "data/shared_file.hpp"

class SettingsFile {
public:
    // Far more than the program ever writes: the most it keeps (100
    // favourites with the longest names, ten recent journeys, a few window
    // places) takes well under 200 KB.
    static constexpr std::size_t kMaxBytes = 1024 * 1024;

    // Why the file is not used: an errno value, mkd::kNotARegularFile, or
    // one of these.
    static constexpr int kTooLarge = -2;  // too large, and could not be set aside
    static constexpr int kReadOnlyFile = -3;  // the user took the write permission away

    // `path` is the file; "" keeps the settings for this run only.
    explicit SettingsFile(std::string path);

    const std::string& path() const { return path_; }
    QVariant value(const QString& key);
    // Stores `value` and writes the file; false when the file is not used or
    // the write failed (problem() says why).
    bool setValue(const QString& key, const QVariant& value);
    // Stores what `change` makes of the value the file holds now (another
    // program's change included) and writes the file, as setValue().
    bool update(const QString& key, const std::function<QVariant(const QVariant&)>& change);

    // 0 while the file is used (or does not exist yet); else why not.
    int problem() const { return problem_; }
    // A file too large to read that was set aside: its new name, else "".
    const std::string& keptAs() const { return keptAs_; }

private:
    // Reads the file when it changed since it was last read or written here.
    void refresh(bool locked);
    bool write();

    std::string path_;
    mkd::FileState state_;
    bool read_ = false;
    int problem_ = 0;
    std::string keptAs_;
    QVariantMap values_;
};
