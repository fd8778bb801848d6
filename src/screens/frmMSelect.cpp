#include "screens/frmMSelect.hpp"

#include <QComboBox>
#include <QPushButton>

#include "pricing/enquiry.hpp"
#include "screens/ScreenFlow.hpp"
#include "screens/StationFinder.hpp"

frmMSelect::frmMSelect(ScreenFlow& f) : SectionScreen(f, kName, QT_TR_NOOP("区間選択"), 3270, 2310) {
    addControls({{ControlRow::Label, "lblSelect", QT_TR_NOOP("グリーン車利用区間は？"), 0, 240, 3255, 375, 12,
                  Qt::AlignCenter}});
    addStationPair(mkd::StationList::Marine, 120);
    addControls({
        {ControlRow::Button, "cmdBack", QT_TR_NOOP("戻る"), 360, 1680, 975, 375},
        {ControlRow::Button, "cmdNext", QT_TR_NOOP("次へ"), 1800, 1680, 975, 375},
    });
    cboHatu = control<QComboBox>("cboHatu");
    cboTyaku = control<QComboBox>("cboTyaku");
    cmdBack = control<QPushButton>("cmdBack");
    cmdNext = control<QPushButton>("cmdNext");
    connectMoves();
}
