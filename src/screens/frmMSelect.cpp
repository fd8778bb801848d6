#include "screens/frmMSelect.hpp"

#include <QComboBox>
#include <QPushButton>

#include "pricing/enquiry.hpp"
#include "screens/ScreenFlow.hpp"
#include "screens/StationFinder.hpp"

frmMSelect::frmMSelect(ScreenFlow& f) : SectionScreen(f, kName, QT_TR_NOOP("区間選択"), 3270, 2310) {
    addLabel("lblSelect", QT_TR_NOOP("グリーン車利用区間は？"), twips(0, 240, 3255, 375), 12, Qt::AlignCenter);
    addLabel("lblHatu", QT_TR_NOOP("乗車駅"), twips(240, 720, 975, 255), 12, Qt::AlignCenter);
    addLabel("lblKousha", QT_TR_NOOP("降車駅"), twips(1920, 720, 975, 255), 12, Qt::AlignCenter);
    cboHatu = addList("cboHatu", twips(120, 1080, 1215, 300));
    addLabel("lblYajirusi", "⇒", twips(1320, 1080, 495, 255), 14.25, Qt::AlignCenter);
    cboTyaku = addList("cboTyaku", twips(1800, 1080, 1215, 300));
    cmdBack = addButton("cmdBack", QT_TR_NOOP("戻る"), twips(360, 1680, 975, 375));
    cmdNext = addButton("cmdNext", QT_TR_NOOP("次へ"), twips(1800, 1680, 975, 375));
    captionOf("lblHatu", cboHatu);
    captionOf("lblKousha", cboTyaku);

    connectMoves();
    new StationFinder(cboHatu, mkd::StationList::Marine, [this] { return flow.language(); });
    new StationFinder(cboTyaku, mkd::StationList::Marine, [this] { return flow.language(); });
}
