#include "screens/SectionScreen.hpp"

#include <QComboBox>
#include <QPushButton>

#include "screens/ScreenFlow.hpp"
#include "screens/frmStart.hpp"
#include "screens/station_labels.hpp"
#include "screens/text.hpp"

SectionScreen::SectionScreen(ScreenFlow& f, const char* name, const char* caption, int widthTwips, int heightTwips)
    : Screen(f, name, caption, widthTwips, heightTwips) {}

void SectionScreen::Form_Unload() {
    hide();
    if (auto* start = flow.touch<frmStart>()) start->show();
}

void SectionScreen::cmdBack_Click() {
    flow.unload(*this);
    if (auto* start = flow.touch<frmStart>()) start->show();
}

bool SectionScreen::preset(mkd::StationList list, const mkd::SectionPreset& p) {
    list_ = list;
    const QStringList names = stationNames(list, flow.language());
    cboHatu->addItems(names);
    cboTyaku->addItems(names);
    // The list holding the lower-index end of the journey is set first; a
    // stop the maps do not give leaves the list without a selection.
    if (p.section.from >= 0) cboHatu->setCurrentIndex(p.section.from);
    if (p.section.to >= 0) cboTyaku->setCurrentIndex(p.section.to);
    if (!p.adviseLocalTrain) return true;
    flow.message(qs(mkd::text(mkd::Msg::LocalTrainAdvice, flow.language())));
    cboHatu->clear();
    cboTyaku->clear();
    return false;
}

void SectionScreen::languageChanged() {
    renameStations(cboHatu, list_, flow.language());
    renameStations(cboTyaku, list_, flow.language());
}

mkd::Section SectionScreen::section() const { return {cboHatu->currentIndex(), cboTyaku->currentIndex()}; }
