// The screens take every step of every kind of enquiry as mkd-fare does: a
// step they skipped, or a table read at another step than the core reads it
// (or not at all, so that a table an earlier enquiry left behind would be
// priced), shows here as a difference between the two logs.
#include <QString>

#include "data/locations.hpp"
#include "data/table_store.hpp"
#include "pricing/enquiry.hpp"
#include "program.hpp"
#include "screens/KindScreens.hpp"
#include "screens/ScreenFlow.hpp"

namespace {

using Steps = ProgramTest;

TEST_F(Steps, ScreensReadAtEachStepWhatTheCoreReads) {
    for (mkd::Enquiry kind : mkd::kEnquiries) {
        const KindScreens& row = kindScreens(kind);
        const mkd::EnquiryShape& shape = mkd::enquiryShape(kind);
        SCOPED_TRACE(std::string(shape.id));
        const auto name = [](const char* screen, const char* control) {
            return QStringLiteral("%1.%2").arg(QLatin1String(screen), QLatin1String(control));
        };
        // 岡山 to 高松 for the Marine Liner, to 宇和島 for the others.
        act(QStringLiteral("select frmStart.cboHatu 0"));
        act(QStringLiteral("select frmStart.cboTyaku %1").arg(shape.entry == mkd::Entry::MarineMenu ? 12 : 106));
        act(QStringLiteral("click ") + name("frmStart", row.entry));
        if (row.section) act(QStringLiteral("click ") + name(row.section, row.leaveSection));
        if (row.date) act(QStringLiteral("click ") + name(row.date, "cmdNext"));
        act(QStringLiteral("click ") + name(row.choice, "cmdKodomo"));
        ASSERT_EQ(shownName(), QLatin1String(row.result));

        ScreenFlow& flow = *session.flow();
        mkd::TableStore fresh{mkd::locationsOfTableFolder(flow.tables().locations().tableFolder)};
        mkd::Enquirer core{fresh};
        const mkd::EnquiryOutcome asked = core.ask(flow.enquiry().request);
        ASSERT_TRUE(asked.ok());
        EXPECT_EQ(flow.stepsRead(), asked.read);
        EXPECT_EQ(flow.enquiry().answer->charge, asked.answer->charge);
        act(QStringLiteral("click ") + name(row.result, "cmdRetry"));
    }
}

}  // namespace
