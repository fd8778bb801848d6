#include "screens/frmKekka.hpp"

#include <QLabel>
#include <QPushButton>

#include "screens/ScreenFlow.hpp"
#include "screens/frmKettei.hpp"
#include "screens/frmStart.hpp"
#include "screens/station_labels.hpp"

frmKekka::frmKekka(ScreenFlow& f) : Screen(f, kName, QStringLiteral("普通運賃"), 4110, 2790) {
    addLabel("lblKekka", QStringLiteral("検索結果"), twips(360, 120, 1335, 375), 14.25, Qt::AlignCenter);
    lblHatu = addLabel("lblHatu", QString(), twips(240, 600, 1575, 375), 14.25, Qt::AlignCenter);
    addLabel("lblYajirusi", QStringLiteral("⇒"), twips(1800, 630, 495, 255), 14.25, Qt::AlignCenter);
    lbltyaku = addLabel("lbltyaku", QString(), twips(2280, 600, 1575, 375), 14.25, Qt::AlignCenter);
    lblBill = addLabel("lblBill", QString(), twips(360, 1080, 2055, 375), 14.25, Qt::AlignLeft | Qt::AlignVCenter);
    lblYen = addLabel("lblYen", QString(), twips(1320, 1560, 1335, 375), 14.25, Qt::AlignRight | Qt::AlignVCenter);
    lblDetail = addLabel("lblDetail", QString(), twips(360, 1950, 3390, 300), 9, Qt::AlignLeft | Qt::AlignVCenter);
    cmdExit = addButton("cmdExit", QStringLiteral("終了"), twips(240, 2280, 975, 375));
    cmdBack = addButton("cmdBack", QStringLiteral("戻る"), twips(1560, 2280, 975, 375));
    cmdRetry = addButton("cmdRetry", QStringLiteral("再検索"), twips(2880, 2280, 975, 375));
    captionOf("lblBill", lblYen);
    // A key pressed at once on a result asks for a new search, never the end.
    cmdRetry->setFocus();

    connect(cmdExit, &QPushButton::clicked, this, &frmKekka::cmdExit_Click);
    connect(cmdBack, &QPushButton::clicked, this, &frmKekka::cmdBack_Click);
    connect(cmdRetry, &QPushButton::clicked, this, &frmKekka::cmdRetry_Click);
}

void frmKekka::Form_Load() {
    auto* start = flow.touch<frmStart>();
    setStationLabel(lblHatu, mkd::StationList::All, start->departure());
    setStationLabel(lbltyaku, mkd::StationList::All, start->arrival());
}

void frmKekka::Form_Unload() {
    hide();
    if (auto* choice = flow.touch<frmKettei>()) choice->show();
}

void frmKekka::cmdBack_Click() {
    flow.unload(*this);
    if (auto* choice = flow.touch<frmKettei>()) choice->show();
}

void frmKekka::cmdRetry_Click() {
    flow.unload(*this);
    flow.unload<frmKettei>();
    if (auto* start = flow.touch<frmStart>()) start->show();
}

void frmKekka::cmdExit_Click() { flow.endProgram(0); }
