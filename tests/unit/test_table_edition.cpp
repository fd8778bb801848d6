// The tables' edition: the maintainer's line first, else the newest date of
// SOURCES.md, else the fingerprint's first 8 digits; read from a folder.
#include <gtest/gtest.h>

#include "data/table_edition.hpp"
#include "test_support.hpp"

namespace {

using namespace mkd;

TEST(TableEdition, MaintainersLineThenNewestDateThenFingerprint) {
    const std::string longName(60, 'x');
    const struct {
        const char* edition;
        const char* sources;
        std::string expected;
    } cases[] = {
        {"\xEF\xBB\xBF  2008年春版 \r\nsecond line", "2019-10-01", "2008年春版"},
        {"", "from 1997-04-01 to 2014-03-31; see 2001-13-01 and 12007-01-01", "2014-03-31"},
        {"   \n", "no dates, only 2007-02-30 and 20070401", "01234567"},
        {"bad\x01name", "", "01234567"},
        {longName.c_str(), "", std::string(40, 'x')},
    };
    for (const auto& c : cases)
        EXPECT_EQ(editionOf(c.edition, c.sources, "0123456789abcdef"), c.expected) << c.edition << " / " << c.sources;
}

TEST(TableEdition, ReadFromTheFolderBesideTheTables) {
    test::TempDir dir;
    dir.write("Futu.txt", "1,2\r\n");
    TablesInUse tables = tablesInUse(dir.str());
    EXPECT_EQ(tables.fingerprint.size(), 16u);
    EXPECT_EQ(tables.edition, tables.fingerprint.substr(0, 8));
    dir.write("SOURCES.md", "# Sources\nvalid from 2007-04-01\n");
    EXPECT_EQ(tablesInUse(dir.str()).edition, "2007-04-01");
    dir.write("EDITION", "JR四国 2007年版\n");
    tables = tablesInUse(dir.str());
    EXPECT_EQ(tables.edition, "JR四国 2007年版");
    EXPECT_EQ(tables.fingerprint, tablesInUse(dir.str()).fingerprint);
}

}  // namespace
