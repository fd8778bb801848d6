#include "screens/print_module_load.hpp"

#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QStringList>
#include <vector>

#include "data/module_place.hpp"

namespace {

// The words are AnswerOut's, which shows them.
// "x86-64 (64-bit)": how the kinds of computer are known.
QString machineName(const mkd::MachineKind& kind) {
    QString name;
    switch (kind.machine) {
        case 3:
            name = QStringLiteral("i386");
            break;
        case 8:
            name = QStringLiteral("MIPS");
            break;
        case 20:
            name = QStringLiteral("PowerPC");
            break;
        case 21:
            name = QStringLiteral("PowerPC64");
            break;
        case 22:
            name = QStringLiteral("s390");
            break;
        case 40:
            name = QStringLiteral("ARM");
            break;
        case 62:
            name = QStringLiteral("x86-64");
            break;
        case 183:
            name = QStringLiteral("AArch64");
            break;
        case 243:
            name = QStringLiteral("RISC-V");
            break;
        case 258:
            name = QStringLiteral("LoongArch");
            break;
        default:
            name = QStringLiteral("ELF machine %1").arg(kind.machine);
    }
    return name + QStringLiteral(" (%1-bit%2)")
                      .arg(kind.bits)
                      .arg(kind.bigEndian ? QStringLiteral(", big-endian") : QString());
}

QString doubtWords(const mkd::PathTrust& trust) {
    const QString at = QString::fromStdString(trust.path);
    switch (trust.doubt) {
        case mkd::PathDoubt::OtherOwner:
            return QCoreApplication::translate("AnswerOut", "%1 は別のユーザーのものです。").arg(at);
        case mkd::PathDoubt::OthersMayWrite:
            return QCoreApplication::translate("AnswerOut", "%1 は他のユーザーも書き換えられます。").arg(at);
        case mkd::PathDoubt::Missing:
        case mkd::PathDoubt::None:
            break;
    }
    return QCoreApplication::translate("AnswerOut", "%1 を調べられません。").arg(at);
}

// Why the module at `path` is not to be loaded: a folder others may write,
// or code for another kind of computer (the system's loader says only "No
// such file" of that); "" when nothing speaks against it.
QString whyNotLoadable(const QString& path, bool mustBeTrusted) {
    if (mustBeTrusted) {
        const mkd::PathTrust trust = mkd::pathTrust(path.toStdString(), static_cast<unsigned>(geteuid()));
        if (!trust.trusted())
            return QCoreApplication::translate("AnswerOut", "%1 は読み込みません: %2").arg(path, doubtWords(trust));
    }
    const auto kind = mkd::machineKindOfFile(path.toStdString());
    const auto own = mkd::machineKindOfFile(QCoreApplication::applicationFilePath().toStdString());
    if (kind && own && *kind != *own)
        return QCoreApplication::translate("AnswerOut",
                                           "%1 は別の種類のコンピューター用です: %2（このプログラムは %3 用）。")
            .arg(path, machineName(*kind), machineName(*own));
    return {};
}

}  // namespace

LoadedModule loadModule(const PrintModulePlaces& places, const QString& fileName,
                        const std::vector<const char*>& functions) {
    LoadedModule m;
    struct Place {
        QString folder;
        bool mustBeTrusted;
    };
    std::vector<Place> candidates{{places.programFolder, false}};
    if (QDir::isAbsolutePath(places.installedFolder)) candidates.push_back({places.installedFolder, false});
    if (!places.relative.isEmpty())
        candidates.push_back({QDir::cleanPath(places.programFolder + QLatin1Char('/') + places.relative), true});

    QStringList looked;
    for (const Place& place : candidates) {
        const QString path = place.folder + QLatin1Char('/') + fileName;
        looked << QDir::toNativeSeparators(place.folder);
        if (!QFileInfo(path).exists()) continue;
        m.error = whyNotLoadable(path, place.mustBeTrusted);
        if (!m.error.isEmpty()) return m;
        QLibrary library(path);
        if (!library.load()) {
            m.error = library.errorString();
            return m;
        }
        for (const char* name : functions) {
            void* found = reinterpret_cast<void*>(library.resolve(name));
            if (!found) {
                m.error = QCoreApplication::translate("AnswerOut", "%1 には関数 %2 がありません。")
                              .arg(path, QLatin1String(name));
                m.functions.clear();
                library.unload();
                return m;
            }
            m.functions.push_back(found);
        }
        return m;
    }
    m.error = QCoreApplication::translate("AnswerOut", "%1 がどこにもありません: %2")
                  .arg(fileName, looked.join(QStringLiteral(", ")));
    return m;
}

PrintModule loadPrintModule(const PrintModulePlaces& places) {
    const LoadedModule loaded =
        loadModule(places, QStringLiteral("mkdprint.so"), {"mkdPrintPreview", "mkdWritePdf", "mkdWriteClaimPdf"});
    PrintModule m;
    m.error = loaded.error;
    if (loaded.functions.size() != 3) return m;
    m.preview = reinterpret_cast<decltype(m.preview)>(loaded.functions[0]);
    m.pdf = reinterpret_cast<decltype(m.pdf)>(loaded.functions[1]);
    m.claim = reinterpret_cast<decltype(m.claim)>(loaded.functions[2]);
    return m;
}

PrintModulePlaces programModulePlaces() {
    return {QCoreApplication::applicationDirPath(), QStringLiteral(MKD_MODULE_INSTALL_DIR),
            QStringLiteral(MKD_MODULE_DIR)};
}
