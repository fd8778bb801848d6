#include "screens/frmTSelect.hpp"

#include <QComboBox>
#include <QPushButton>

#include "screens/ScreenFlow.hpp"
#include "screens/StationFinder.hpp"

frmTSelect::frmTSelect(ScreenFlow& f) : SectionScreen(f, kName, QT_TR_NOOP("区間・種別選択"), 3390, 2670) {
    addLabel("lblSelect", QT_TR_NOOP("特急利用区間は？"), twips(120, 240, 3135, 375), 15.75, Qt::AlignCenter);
    addLabel("lblHatu", QT_TR_NOOP("乗車駅"), twips(360, 720, 975, 255), 12, Qt::AlignCenter);
    addLabel("lblKousha", QT_TR_NOOP("降車駅"), twips(2040, 720, 975, 255), 12, Qt::AlignCenter);
    cboHatu = addList("cboHatu", twips(240, 1080, 1215, 300));
    addLabel("lblYajirusi", "⇒", twips(1440, 1080, 495, 255), 14.25, Qt::AlignCenter);
    cboTyaku = addList("cboTyaku", twips(1920, 1080, 1215, 300));
    cmdJiyu = addButton("cmdJiyu", QT_TR_NOOP("自由席"), twips(480, 1680, 975, 375));
    cmdSitei = addButton("cmdSitei", QT_TR_NOOP("指定席"), twips(1800, 1680, 975, 375));
    cmdGreen = addButton("cmdGreen", QT_TR_NOOP("グリーン車"), twips(480, 2160, 975, 375), 8.25);
    cmdBack = addButton("cmdBack", QT_TR_NOOP("戻る"), twips(1800, 2160, 975, 375));
    captionOf("lblHatu", cboHatu);
    captionOf("lblKousha", cboTyaku);
    setWords(cmdJiyu, QT_TR_NOOP("特急の自由席"), Words::ToolTip);
    setWords(cmdSitei, QT_TR_NOOP("特急の指定席（乗車日を選びます）"), Words::ToolTip);
    setWords(cmdGreen, QT_TR_NOOP("特急のグリーン車"), Words::ToolTip);

    connectMoves();
    new StationFinder(cboHatu, mkd::StationList::Express, [this] { return flow.language(); });
    new StationFinder(cboTyaku, mkd::StationList::Express, [this] { return flow.language(); });
}
