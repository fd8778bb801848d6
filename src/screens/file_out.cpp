#include "screens/file_out.hpp"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLibrary>
#include <QStandardPaths>

#include "data/careful_save.hpp"
#include "screens/ScreenFlow.hpp"
#include "screens/text.hpp"
#include "words/words.hpp"
#include "xlsx/workbook.hpp"

namespace {

QString folderSetting(const QString& kind) { return QStringLiteral("files/folder-") + kind; }

// The folder a save dialog opens in.
QString startFolder(ScreenFlow& flow, const QString& kind) {
    const QString last = flow.seam().setting(folderSetting(kind)).toString();
    if (!last.isEmpty() && QFileInfo(last).isDir()) return last;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents;
    return QDir::homePath();
}

}  // namespace

QString askSavePath(QWidget* parent, ScreenFlow& flow, const SaveAsk& ask) {
    QFileDialog dialog(parent, ask.title, startFolder(flow, ask.kind), ask.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(ask.suffix);
    dialog.selectFile(ask.name);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const QString path = dialog.selectedFiles().constFirst();
    flow.seam().setSetting(folderSetting(ask.kind), QFileInfo(path).absolutePath());
    return path;
}

QStringList modulePlaces(const QString& name) {
    const QString dir = QCoreApplication::applicationDirPath();
    return {dir + QLatin1Char('/') + name, dir + QStringLiteral("/" MKD_MODULE_DIR "/") + name};
}

std::string workbookBytes(ScreenFlow& flow, const mkd::Workbook& book) {
    using Write = bool (*)(const mkd::Workbook*, std::string*, std::string*);
    static QString loadError;
    static const Write write = [] {
        for (const QString& place : modulePlaces(QStringLiteral("mkdxlsx"))) {
            QLibrary library(place);
            if (!library.load()) {
                if (loadError.isEmpty()) loadError = library.errorString();
                continue;
            }
            if (auto w = reinterpret_cast<Write>(library.resolve("mkdWorkbookBytes"))) return w;
            loadError = library.errorString();
        }
        return Write{};
    }();
    if (!write) {
        flow.message(QCoreApplication::translate("FileOut", "Excel ブックを書く部品を読み込めませんでした。"),
                     loadError);
        return {};
    }
    std::string bytes, error;
    if (!write(&book, &bytes, &error) || bytes.empty()) {
        flow.message(QCoreApplication::translate("FileOut", "Excel ブックを作れませんでした。"), toQt(error));
        return {};
    }
    return bytes;
}

bool saveBytes(ScreenFlow& flow, const QString& path, const std::string& bytes) {
    const mkd::SaveResult saved = mkd::saveCarefully(path.toStdString(), bytes);
    if (saved.ok()) return true;
    const std::string why = saved.problem == mkd::SaveProblem::ReadOnlyFile
                                ? mkd::reasonText(EACCES, flow.language())
                                : mkd::reasonText(saved.error, flow.language());
    flow.message(QCoreApplication::translate("FileOut", "ファイルを保存できませんでした。"),
                 toQt(saved.path.empty() ? path.toStdString() : saved.path) + QStringLiteral("\n") + toQt(why));
    return false;
}
