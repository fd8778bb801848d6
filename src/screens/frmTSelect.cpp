#include "screens/frmTSelect.hpp"

#include <QComboBox>
#include <QPushButton>

#include "screens/ScreenFlow.hpp"
#include "screens/StationFinder.hpp"

frmTSelect::frmTSelect(ScreenFlow& f) : SectionScreen(f, kName, QT_TR_NOOP("区間・種別選択"), 3390, 2670) {
    addControls({{ControlRow::Label, "lblSelect", QT_TR_NOOP("特急利用区間は？"), 120, 240, 3135, 375, 15.75,
                  Qt::AlignCenter}});
    addStationPair(mkd::StationList::Express);
    addControls({
        {ControlRow::Button, "cmdJiyu", QT_TR_NOOP("自由席"), 480, 1680, 975, 375},
        {ControlRow::Button, "cmdSitei", QT_TR_NOOP("指定席"), 1800, 1680, 975, 375},
        {ControlRow::Button, "cmdGreen", QT_TR_NOOP("グリーン車"), 480, 2160, 975, 375, 8.25},
        {ControlRow::Button, "cmdBack", QT_TR_NOOP("戻る"), 1800, 2160, 975, 375},
    });
    cboHatu = control<QComboBox>("cboHatu");
    cboTyaku = control<QComboBox>("cboTyaku");
    cmdJiyu = control<QPushButton>("cmdJiyu");
    cmdSitei = control<QPushButton>("cmdSitei");
    cmdGreen = control<QPushButton>("cmdGreen");
    cmdBack = control<QPushButton>("cmdBack");
    setWords(cmdJiyu, QT_TR_NOOP("特急の自由席"), Words::ToolTip);
    setWords(cmdSitei, QT_TR_NOOP("特急の指定席（乗車日を選びます）"), Words::ToolTip);
    setWords(cmdGreen, QT_TR_NOOP("特急のグリーン車"), Words::ToolTip);
    nameInFull();
    connectMoves();
}

void frmTSelect::languageChanged() {
    SectionScreen::languageChanged();
    nameInFull();
}

void frmTSelect::nameInFull() {
    // The English caption is shortened to fit the specified button; a
    // screen reader says the whole word.
    cmdJiyu->setAccessibleName(tr("自由席", "the button's name in full"));
}
