#include "screens/file_out.hpp"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QStandardPaths>

#include "data/careful_save.hpp"
#include "screens/ExportFile.hpp"
#include "screens/ScreenFlow.hpp"
#include "screens/print_module_load.hpp"
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
    flow.useQtWords();
    QFileDialog dialog(parent, ask.title, startFolder(flow, ask.kind), ask.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(ask.suffix);
    dialog.selectFile(ask.name);
    // Asked here, of the name with its suffix: the file asked about is the
    // file written.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    QString path = dialog.selectedFiles().constFirst();
    const QString ending = QLatin1Char('.') + ask.suffix;
    if (!path.endsWith(ending, Qt::CaseInsensitive)) path += ending;
    flow.seam().setSetting(folderSetting(ask.kind), QFileInfo(path).absolutePath());
    if (!mayReplace(flow, path)) return {};
    return path;
}

std::string workbookBytes(ScreenFlow& flow, const mkd::Workbook& book) {
    using Write = bool (*)(const mkd::Workbook*, std::string*, std::string*);
    // Loaded on first use, from the places the print module comes from.
    static const LoadedModule module =
        loadModule(programModulePlaces(), QStringLiteral("mkdxlsx.so"), {"mkdWorkbookBytes"});
    const Write write = module.functions.empty() ? nullptr : reinterpret_cast<Write>(module.functions[0]);
    if (!write) {
        flow.message(QCoreApplication::translate("FileOut", "Excel ブックを書く部品を読み込めませんでした。"),
                     module.error);
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
    // The one careful way every export takes (ExportFile.hpp).
    return exportBytes(flow, path, bytes, QCoreApplication::translate("FileOut", "ファイルを保存できませんでした。"));
}

QLabel* savedLine(QWidget* parent) {
    auto* line = new QLabel(parent);
    line->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    line->setWordWrap(true);
    line->hide();
    return line;
}

void showSavedPath(QLabel* line, const QString& path) {
    line->setText(QCoreApplication::translate("SavedLine", "保存しました: %1").arg(QDir::toNativeSeparators(path)));
    line->show();
}
