// Station names on the screens: the lists' items and the result labels.
#pragma once

#include <QLabel>
#include <QString>
#include <QStringList>

#include "data/stations.hpp"
#include "screens/text.hpp"

// A valid index writes the station's display name; no selection writes nothing.
inline void setStationLabel(QLabel* label, mkd::StationList list, int index) {
    if (!mkd::isValidIndex(list, index)) return;
    label->setText(qs(mkd::displayName(list, index)));
    // Said without the spaces that pad short names on screen.
    label->setAccessibleName(qs(mkd::stationName(list, index)));
}

// The plain names of a station list, in index order, so that a list position
// is a station index.
inline QStringList stationNames(mkd::StationList list) {
    QStringList names;
    names.reserve(mkd::stationCount(list));
    for (int i = 0; i < mkd::stationCount(list); ++i) names << qs(mkd::stationName(list, i));
    return names;
}
