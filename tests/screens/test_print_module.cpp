// Where the print module is loaded from, and the reason given when it is
// not: only from the program's folder, the folder it was built to be
// installed in, or a folder relative to the program that no other user can
// write; a module for another computer or without the functions named as
// such (the system's loader says "No such file" of the first).
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <iostream>
#include <string>

#include "data/module_place.hpp"
#include "screens/print_module_load.hpp"

namespace {

enum class Module { None, Good, OtherMachine, WithoutFunctions };

// An ELF header of a 64-bit little-endian shared object for LoongArch: what
// the first bytes of a module built for another computer say.
QByteArray otherMachineHeader() {
    QByteArray h(64, '\0');
    h.replace(0, 7,
              QByteArray("\x7F"
                         "ELF\x02\x01\x01",
                         7));
    h[16] = 3;  // a shared object
    h[18] = 2;  // e_machine 258 = 0x0102
    h[19] = 1;
    return h + QByteArray(4096, '\0');
}

void put(const QString& folder, Module module) {
    if (module == Module::None) return;
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/mkdprint.so");
    if (module == Module::OtherMachine) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(otherMachineHeader());
        return;
    }
    ASSERT_TRUE(
        QFile::copy(QString::fromUtf8(module == Module::Good ? MKD_PRINT_MODULE : MKD_MODULE_WITHOUT_FUNCTIONS), path));
}

TEST(PrintModule, LoadedOnlyFromTrustedPlacesWithTheRealReason) {
    const struct {
        const char* name;
        Module beside, installed, relative;
        bool othersMayWrite;  // the tree lies under the system's temporary folder, which everyone may write
        const char* error;  // nullptr: loaded; else what the reason says
    } cases[] = {
        {"beside the program", Module::Good, Module::None, Module::None, true, nullptr},
        {"installed folder", Module::None, Module::Good, Module::None, true, nullptr},
        {"relative, nobody else may write", Module::None, Module::None, Module::Good, false, nullptr},
        {"relative, under a folder everyone may write", Module::None, Module::None, Module::Good, true, "/tmp"},
        {"for another computer", Module::OtherMachine, Module::Good, Module::None, false, "LoongArch (64-bit)"},
        {"without the functions", Module::WithoutFunctions, Module::Good, Module::None, false, "mkdPrintPreview"},
        {"nowhere", Module::None, Module::None, Module::None, false, "mkdprint.so"},
    };
    const QString trustedBase = QStringLiteral(MKD_TEST_WORK_DIR);
    const bool trustedBaseUsable = mkd::pathTrust(trustedBase.toStdString(), geteuid()).trusted();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.othersMayWrite && !trustedBaseUsable) {
            std::cout << "skipped '" << c.name << "': " << trustedBase.toStdString()
                      << " lies where others may write\n";
            continue;
        }
        QTemporaryDir tree(c.othersMayWrite ? QDir::tempPath() + QStringLiteral("/mkd-print-XXXXXX")
                                            : trustedBase + QStringLiteral("/print-module-XXXXXX"));
        ASSERT_TRUE(tree.isValid());
        const QString bin = tree.path() + QStringLiteral("/bin");
        ASSERT_TRUE(QDir().mkpath(bin));
        put(bin, c.beside);
        put(tree.path() + QStringLiteral("/installed"), c.installed);
        put(tree.path() + QStringLiteral("/lib/mkd/modules"), c.relative);

        const PrintModule m =
            loadPrintModule({bin, tree.path() + QStringLiteral("/installed"), QStringLiteral("../lib/mkd/modules")});
        if (!c.error) {
            EXPECT_TRUE(m.loaded()) << m.error.toStdString();
            continue;
        }
        EXPECT_FALSE(m.loaded());
        EXPECT_TRUE(m.error.contains(QString::fromUtf8(c.error))) << m.error.toStdString();
        EXPECT_FALSE(m.error.contains(QStringLiteral("No such file"))) << m.error.toStdString();
    }
}

}  // namespace
