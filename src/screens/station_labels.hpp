// Writing a station's display name into a result label.
#pragma once

#include <QLabel>
#include <QString>

#include "data/stations.hpp"
#include "screens/text.hpp"

// A valid index writes the station's display name; no selection writes nothing.
inline void setStationLabel(QLabel* label, mkd::StationList list, int index) {
    if (!mkd::isValidIndex(list, index)) return;
    label->setText(qs(mkd::displayName(list, index)));
}
