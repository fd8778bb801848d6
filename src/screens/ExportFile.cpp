#include "screens/ExportFile.hpp"

#include <sys/stat.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <string>

#include "data/careful_save.hpp"
#include "screens/ScreenFlow.hpp"
#include "screens/text.hpp"
#include "words/words.hpp"

namespace {

std::string fileName(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString shown(const std::string& path) { return QFile::decodeName(path.c_str()); }

// Whether there is a regular file at `path` (through links) that a save
// would replace. A device, a pipe or a folder is not asked about: the save
// refuses it and says why.
bool regularFileAt(const QString& path) {
    struct stat info {};
    return ::stat(fileName(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool anythingAt(const QString& path) {
    struct stat info {};
    return ::lstat(fileName(path).c_str(), &info) == 0;
}

}  // namespace

QString askExportPath(QWidget* parent, ScreenFlow& flow, const QString& title, const QString& suggested,
                      const QString& filter, const QString& suffix) {
    flow.useQtWords();
    // The dialog does not ask about replacing: it would ask about the name
    // typed, which may lack the suffix.
    QString path =
        QFileDialog::getSaveFileName(parent, title, suggested, filter, nullptr, QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty()) return {};
    const QString ending = QLatin1Char('.') + suffix;
    if (!path.endsWith(ending, Qt::CaseInsensitive)) path += ending;
    if (!mayReplace(flow, path)) return {};
    return path;
}

bool mayReplace(ScreenFlow& flow, const QString& path) {
    return !regularFileAt(path) ||
           flow.confirm(QCoreApplication::translate("ExportFile", "%1 は既にあります。置き換えますか？").arg(path),
                        QCoreApplication::translate("ExportFile", "置き換えると、今の中身はなくなります。"));
}

bool exportBytes(ScreenFlow& flow, const QString& path, std::string_view bytes, const QString& failed) {
    const bool existed = anythingAt(path);
    const mkd::SaveResult saved = mkd::exportCarefully(fileName(path), bytes);
    if (saved.ok()) return true;
    const mkd::Lang lang = flow.language();
    QString reason;
    switch (saved.problem) {
        case mkd::SaveProblem::ReadOnlyFile:
            reason = toQt(mkd::text(mkd::Msg::ReasonReadOnlyFile, lang));
            break;
        case mkd::SaveProblem::TemporaryRemoved:
            reason = QCoreApplication::translate("ExportFile",
                                                 "書いている途中の一時ファイルが、ほかのプログラムに消されました");
            break;
        default:
            reason = toQt(mkd::reasonText(saved.error, lang));
            break;
    }
    // The file as the user named it, and where a link led.
    QString file = path;
    if (!saved.path.empty() && saved.path != fileName(path)) file += QStringLiteral(" → ") + shown(saved.path);
    QString why = file + QStringLiteral("\n") + reason;
    if (existed)
        why += QStringLiteral("\n") + QCoreApplication::translate("ExportFile", "元のファイルはそのままです。");
    flow.message(failed, why);
    return false;
}
