// The part of a journey ridden by limited express or in the Marine Liner's
// Green car, preset from the two stations of the start screen.
#pragma once

namespace mkd {

// A pair of list positions; -1 where a station has no stop under the maps.
struct Section {
    int from = -1;
    int to = -1;
    bool operator==(const Section&) const = default;
};

// Why a section screen advises a local train ("普通列車にしましょう。").
enum class LocalTrainWhy {
    None,  // the preset is a section to ride
    SameStop,  // both ends of the journey come to the same stop
    NoStopBetween,  // the stops they come to lie the wrong way round
};

struct SectionPreset {
    Section section;
    bool adviseLocalTrain = false;
    LocalTrainWhy why = LocalTrainWhy::None;
};

// The express section: the lower-index end of the journey goes through the
// forward express-stop map and the higher-index end through the backward one.
// A local train is advised when no express stop pair lies inside the journey
// in the direction of travel.
SectionPreset presetExpressSection(int departure, int arrival);

// The Marine Liner Green section, by the same rule with the Marine-stop maps.
// The Marine stop list does not follow the line's order, so only a section
// whose two ends are the same stop is refused.
SectionPreset presetMarineSection(int departure, int arrival);

// Whether the through / change-at-松山 choice is offered: the express section
// joins 岡山 or 児島 with a station beyond 松山.
bool crossesMatsuyama(int expressFrom, int expressTo);

// A section whose two ends are the same stop has nothing to charge: the
// section screens refuse it (also two empty lists).
bool sameSectionStop(const Section& section);

}  // namespace mkd
