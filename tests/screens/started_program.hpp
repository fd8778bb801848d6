// The program started on the repository's tables, its start screen the
// active window: the fixture of the screen tests that begin where a user
// does.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "data/table_store.hpp"
#include "screens/ScreenFlow.hpp"
#include "screens/frmStart.hpp"
#include "test_seam.hpp"

class StartedProgram : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(flow.start());
        start = flow.find<frmStart>();
        ASSERT_TRUE(start);
        start->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(start));
    }
    void TearDown() override { QApplication::processEvents(); }

    TestSeam seam{QStringLiteral(MKD_SOURCE_DIR)};
    mkd::TableStore tables{MKD_SOURCE_DIR};
    ScreenFlow flow{seam, tables};
    frmStart* start = nullptr;
};
