// Station names on the screens: the lists' items and the result labels, in
// Japanese as the tables write them or in English as the stations' signs do.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QString>
#include <QStringList>

#include "data/stations.hpp"
#include "explain/enquiry_words.hpp"
#include "screens/text.hpp"

// Shows `name` on a result's station label at the label's own size or, for
// a name wider than the label (a long sign name: "Bizen-Nishiichi"), at the
// largest smaller size down to 9 pt that fits it, else cut short with "…";
// the whole name is then its tool tip.
void fitStationName(QLabel* label, const QString& name);

// The name of a station in a list.
inline QString stationItem(mkd::StationList list, int index, mkd::Lang lang) {
    return toQt(mkd::stationWords(list, index, lang));
}

// A valid index writes the station's display name; no selection writes nothing.
inline void setStationLabel(QLabel* label, mkd::StationList list, int index, mkd::Lang lang) {
    if (!mkd::isValidIndex(list, index)) return;
    fitStationName(label, toQt(mkd::stationLabelWords(list, index, lang)));
    // Said whole, and without the spaces that pad short names on screen.
    label->setAccessibleName(stationItem(list, index, lang));
}

// A station list whose chosen name is wider than its field (the style then
// ends it with "…") gives the whole name as its tool tip.
void tipWhenCut(QComboBox* box);

// The names of a station list, in index order, so that a list position is a
// station index.
inline QStringList stationNames(mkd::StationList list, mkd::Lang lang) {
    QStringList names;
    names.reserve(mkd::stationCount(list));
    for (int i = 0; i < mkd::stationCount(list); ++i) names << stationItem(list, i, lang);
    return names;
}

// Writes the names of `list` again in `lang` into a drop-down list that
// holds them; its selection and its handlers stay as they were.
inline void renameStations(QComboBox* box, mkd::StationList list, mkd::Lang lang) {
    for (int i = 0; i < box->count() && i < mkd::stationCount(list); ++i)
        box->setItemText(i, stationItem(list, i, lang));
    tipWhenCut(box);
}
