// Every kind of enquiry is whole: its screens, the moves between them, its
// words in both languages, its cases and scenarios; and the README's list of
// the files a new kind takes names every file a kind is written in.
#include <gtest/gtest.h>

#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "explain/enquiry_words.hpp"
#include "screens/ChoiceScreen.hpp"
#include "screens/KindScreens.hpp"
#include "screens/moves.hpp"
#include "started_program.hpp"

namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Whether some file in `folder` (and below) holds `needle`.
bool anyFileHolds(const fs::path& folder, const std::string& needle) {
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file() && readFile(entry.path()).find(needle) != std::string::npos) return true;
    return false;
}

using Kinds = StartedProgram;

TEST_F(Kinds, EveryKindIsWhole) {
    const fs::path source{MKD_SOURCE_DIR};
    const std::string cases = readFile(source / "tests/fare_cases.txt");
    for (mkd::Enquiry kind : mkd::kEnquiries) {
        const KindScreens& row = kindScreens(kind);
        const mkd::EnquiryShape& shape = mkd::enquiryShape(kind);
        const std::string id(shape.id);
        SCOPED_TRACE(id);
        EXPECT_TRUE(start->findChild<QObject*>(QLatin1String(row.entry))) << "no way in " << row.entry;
        // A menu way in sits on a menu of the start screen (made before the
        // ways in are); Steps.ScreensReadAtEachStepWhatTheCoreReads takes it.
        if (row.entryMenu) {
            auto* menu = start->findChild<QMenu*>(QLatin1String(row.entryMenu));
            ASSERT_TRUE(menu) << "no menu " << row.entryMenu;
            EXPECT_TRUE(menu->actions().contains(start->findChild<QAction*>(QLatin1String(row.entry))));
        }
        EXPECT_EQ(shape.sectionScreen, row.section != nullptr)
            << "the core and the screens disagree on a section screen";
        ChoiceScreen* choice = choiceScreen(flow, kind);
        ASSERT_TRUE(choice);
        EXPECT_EQ(choice->objectName(), QLatin1String(row.choice));
        for (const char* screen : {row.section, row.date, row.result})
            if (screen) {
                EXPECT_TRUE(flow.loaded(screen)) << screen;
            }
        if (row.marker) {
            auto* marker = flow.find(QLatin1String(row.result))->findChild<QRadioButton*>(QLatin1String(row.marker));
            EXPECT_TRUE(marker) << row.marker;
        }
        // Every button of its way leads somewhere.
        EXPECT_TRUE(findMove("frmStart", row.entry, kind));
        EXPECT_TRUE(!row.section || findMove(row.section, row.leaveSection, kind));
        EXPECT_TRUE(!row.date || findMove(row.date, "cmdNext", kind));
        for (const char* button : {"cmdOtona", "cmdKodomo", "cmdBack"}) EXPECT_TRUE(findMove(row.choice, button, kind));
        for (const char* button : {"cmdBack", "cmdRetry"}) EXPECT_TRUE(findMove(row.result, button, kind));
        for (mkd::Lang lang : {mkd::Lang::Japanese, mkd::Lang::English}) {
            EXPECT_FALSE(mkd::kindName(kind, lang).empty());
            EXPECT_FALSE(std::string(mkd::text(shape.word, lang)).empty());
        }
        EXPECT_NE(cases.find("\n" + id + " "), std::string::npos) << "no line in tests/fare_cases.txt";
        const std::string clicked = std::string(row.choice) + ".";
        EXPECT_TRUE(anyFileHolds(source / "tests/scenarios", clicked)) << "no scenario";
        EXPECT_TRUE(anyFileHolds(source / "tests/scenarios/english", clicked)) << "no English scenario";
    }
}

// The files named in the README's "Adding a kind of enquiry".
std::set<std::string> readmeList(const std::string& readme) {
    const auto begin = readme.find("### Adding a kind of enquiry");
    const auto end = readme.find("\n#", begin + 4);
    std::set<std::string> files;
    for (auto at = readme.find('`', begin); at < end; at = readme.find('`', at + 1)) {
        const auto close = readme.find('`', at + 1);
        const std::string word = readme.substr(at + 1, close - at - 1);
        if (word.starts_with("src/") || word.starts_with("tools/")) files.insert(word);
        at = close;
    }
    return files;
}

// A kind that nothing treats specially: the files its names stand in are the
// files any new kind is written in.
TEST(KindFiles, TheReadmeListsEveryFileAKindIsWrittenIn) {
    const fs::path source{MKD_SOURCE_DIR};
    const std::set<std::string> listed = readmeList(readFile(source / "README.md"));
    ASSERT_FALSE(listed.empty()) << "README.md has no list under \"Adding a kind of enquiry\"";
    for (const std::string& file : listed) EXPECT_TRUE(fs::exists(source / file)) << file;
    const KindScreens& row = kindScreens(mkd::Enquiry::Green);
    const std::string names[] = {"Enquiry::Green", "\"green\"",     row.choice,    row.marker,
                                 "KindGreen",      "KindWordGreen", "CaptionGreen"};
    for (const char* folder : {"src", "tools"}) {
        for (const auto& entry : fs::recursive_directory_iterator(source / folder)) {
            if (!entry.is_regular_file()) continue;
            const std::string text = readFile(entry.path());
            for (const std::string& name : names) {
                if (text.find(name) == std::string::npos) continue;
                const std::string file = fs::relative(entry.path(), source).generic_string();
                EXPECT_TRUE(listed.count(file)) << file << " holds " << name << " but is not on the README's list";
                break;
            }
        }
    }
}

}  // namespace
