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

}  // namespace

PrintModule loadPrintModule(const PrintModulePlaces& places) {
    PrintModule m;
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
        const QString path = place.folder + QStringLiteral("/mkdprint.so");
        looked << QDir::toNativeSeparators(place.folder);
        if (!QFileInfo(path).exists()) continue;
        if (place.mustBeTrusted) {
            const mkd::PathTrust trust = mkd::pathTrust(path.toStdString(), static_cast<unsigned>(geteuid()));
            if (!trust.trusted()) {
                m.error =
                    QCoreApplication::translate("AnswerOut", "%1 は読み込みません: %2").arg(path, doubtWords(trust));
                return m;
            }
        }
        // The system's loader says "No such file" of a module for another
        // kind of computer: the file says what it is for.
        const auto kind = mkd::machineKindOfFile(path.toStdString());
        const auto own = mkd::machineKindOfFile(QCoreApplication::applicationFilePath().toStdString());
        if (kind && own && *kind != *own) {
            m.error = QCoreApplication::translate("AnswerOut",
                                                  "%1 は別の種類のコンピューター用です: %2（このプログラムは %3 用）。")
                          .arg(path, machineName(*kind), machineName(*own));
            return m;
        }
        QLibrary library(path);
        if (!library.load()) {
            m.error = library.errorString();
            return m;
        }
        m.preview = reinterpret_cast<decltype(m.preview)>(library.resolve("mkdPrintPreview"));
        m.pdf = reinterpret_cast<decltype(m.pdf)>(library.resolve("mkdWritePdf"));
        if (m.loaded()) return m;
        const char* missing = m.preview ? "mkdWritePdf" : "mkdPrintPreview";
        m.error =
            QCoreApplication::translate("AnswerOut", "%1 には関数 %2 がありません。").arg(path, QLatin1String(missing));
        m.preview = nullptr;
        m.pdf = nullptr;
        library.unload();
        return m;
    }
    m.error = QCoreApplication::translate("AnswerOut", "mkdprint.so がどこにもありません: %1")
                  .arg(looked.join(QStringLiteral(", ")));
    return m;
}
