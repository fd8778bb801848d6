#include "pricing/sections.hpp"

#include "data/stations.hpp"

namespace mkd {

SectionPreset presetExpressSection(int departure, int arrival) {
    SectionPreset p;
    const bool ascending = departure < arrival;
    if (ascending) {
        p.section.from = expressForward(departure).value_or(-1);
        p.section.to = expressBackward(arrival).value_or(-1);
        p.adviseLocalTrain = p.section.to <= p.section.from;
    } else {
        p.section.to = expressForward(arrival).value_or(-1);
        p.section.from = expressBackward(departure).value_or(-1);
        p.adviseLocalTrain = p.section.from <= p.section.to;
    }
    if (p.adviseLocalTrain)
        p.why = p.section.from == p.section.to ? LocalTrainWhy::SameStop : LocalTrainWhy::NoStopBetween;
    return p;
}

SectionPreset presetMarineSection(int departure, int arrival) {
    SectionPreset p;
    if (departure < arrival) {
        p.section.from = marineForward(departure).value_or(-1);
        p.section.to = marineBackward(arrival, departure).value_or(-1);
    } else {
        p.section.to = marineForward(arrival).value_or(-1);
        p.section.from = marineBackward(departure, arrival).value_or(-1);
    }
    p.adviseLocalTrain = p.section.from == p.section.to;
    if (p.adviseLocalTrain) p.why = LocalTrainWhy::SameStop;
    return p;
}

bool crossesMatsuyama(int expressFrom, int expressTo) {
    return (expressTo < 2 && expressFrom > kMatsuyama) || (expressTo > kMatsuyama && expressFrom < 2);
}

bool sameSectionStop(const Section& section) { return section.from == section.to; }

}  // namespace mkd
