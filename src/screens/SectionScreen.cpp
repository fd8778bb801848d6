#include "screens/SectionScreen.hpp"

#include <QComboBox>
#include <QPushButton>

#include "screens/KindScreens.hpp"
#include "screens/ScreenFlow.hpp"
#include "screens/frmStart.hpp"
#include "screens/station_labels.hpp"
#include "screens/text.hpp"

SectionScreen::SectionScreen(ScreenFlow& f, const char* name, const char* caption, int widthTwips, int heightTwips)
    : Screen(f, name, caption, widthTwips, heightTwips) {}

void SectionScreen::Form_Unload() {
    hide();
    if (auto* start = flow.loaded<frmStart>()) start->show();
}

void SectionScreen::cmdBack_Click() { flow.follow(*this, "cmdBack"); }

void SectionScreen::leaveFor(mkd::Enquiry kind) {
    if (!leave(kind)) return;
    flow.follow(*this, kindScreens(kind).leaveSection);
}

void SectionScreen::connectMoves() {
    for (mkd::Enquiry kind : mkd::kEnquiries) {
        const KindScreens& row = kindScreens(kind);
        if (!row.section || objectName() != QLatin1String(row.section)) continue;
        if (auto* button = findChild<QPushButton*>(QLatin1String(row.leaveSection)))
            connect(button, &QPushButton::clicked, this, [this, kind] { leaveFor(kind); });
    }
    connect(cmdBack, &QPushButton::clicked, this, &SectionScreen::cmdBack_Click);
}

bool SectionScreen::preset(const mkd::EnquiryState& enquiry) {
    list_ = enquiry.shape().section.value_or(mkd::StationList::Express);
    const mkd::SectionPreset p = enquiry.preset().value_or(mkd::SectionPreset{});
    const QStringList names = stationNames(list_, flow.language());
    cboHatu->addItems(names);
    cboTyaku->addItems(names);
    // The list holding the lower-index end of the journey is set first; a
    // stop the maps do not give leaves the list without a selection.
    if (p.section.from >= 0) cboHatu->setCurrentIndex(p.section.from);
    if (p.section.to >= 0) cboTyaku->setCurrentIndex(p.section.to);
    // A refusal says the advice itself as it always reads; which stops the
    // journey comes to and what to do below it.
    if (flow.takeStep(mkd::Step::SectionScreen)) return true;
    if (flow.ended()) return false;
    cboHatu->clear();
    cboTyaku->clear();
    return false;
}

void SectionScreen::languageChanged() {
    renameStations(cboHatu, list_, flow.language());
    renameStations(cboTyaku, list_, flow.language());
}

bool SectionScreen::enterInList(QComboBox* list) {
    if (list == cboHatu) {
        cboTyaku->setFocus(Qt::TabFocusReason);
        return true;
    }
    if (list != cboTyaku) return false;
    for (QPushButton* button : client->findChildren<QPushButton*>())
        if (button != cmdBack && button->isEnabled() && button->isVisibleTo(this)) {
            button->click();
            return true;
        }
    return false;
}

mkd::Section SectionScreen::section() const { return {cboHatu->currentIndex(), cboTyaku->currentIndex()}; }

bool SectionScreen::leave(mkd::Enquiry kind) {
    mkd::EnquiryRequest& request = flow.enquiry().request;
    request.kind = kind;
    request.section = section();
    return flow.takeStep(mkd::Step::LeaveSection);
}
