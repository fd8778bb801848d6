#include "pricing/charges.hpp"

#include "data/stations.hpp"

namespace mkd {
namespace {

Table fareTable(Passenger p) {
    switch (p) {
        case Passenger::Adult:
            return Table::Futu;
        case Passenger::Child:
            return Table::Kodomo;
        case Passenger::Student:
            break;
    }
    return Table::Gakuwari;
}

}  // namespace

double sectionCharge(const TableStore& tables, Table table, Routing routing, const Section& s) {
    if (routing == Routing::Through) return tables.value(table, s.from, s.to);
    return tables.value(table, s.from, kMatsuyama) + tables.value(table, kMatsuyama, s.to);
}

ChargedPrice priceFarePlusCharge(const TableStore& tables, Passenger passenger, Trip trip, const Journey& j,
                                 double charge) {
    const double fare = tables.value(fareTable(passenger), j.departure, j.arrival);
    ChargedPrice p;
    p.bill = chargedBill(passenger, trip);
    if (trip == Trip::OneWay) {
        p.fare = fare;
        p.charge = charge;
    } else {
        p.fare = fare + fare;
        p.charge = charge + charge;
    }
    p.total = p.charge + p.fare;
    return p;
}

Table nonReservedTable(Passenger passenger) { return passenger == Passenger::Child ? Table::KJiyu : Table::Jiyu; }
Table reservedTable(Passenger passenger) { return passenger == Passenger::Child ? Table::KSitei : Table::Sitei; }
Table greenExpressTable(Passenger passenger) { return passenger == Passenger::Child ? Table::KGtoku : Table::GToku; }

Msg chargedBill(Passenger passenger, Trip trip) {
    const bool oneWay = trip == Trip::OneWay;
    switch (passenger) {
        case Passenger::Adult:
            return oneWay ? Msg::ChargedAdultOneWay : Msg::ChargedAdultRoundTrip;
        case Passenger::Child:
            return oneWay ? Msg::ChargedChildOneWay : Msg::ChargedChildRoundTrip;
        case Passenger::Student:
            break;
    }
    return oneWay ? Msg::ChargedStudentOneWay : Msg::ChargedStudentRoundTrip;
}

ChargedPrice priceNonReserved(const TableStore& tables, Passenger passenger, Trip trip, Routing routing,
                              const Journey& journey) {
    const Table table = nonReservedTable(passenger);
    return priceFarePlusCharge(tables, passenger, trip, journey,
                               sectionCharge(tables, table, routing, journey.section));
}

ChargedPrice priceReserved(const TableStore& tables, Passenger passenger, Trip trip, Routing routing,
                           const Journey& journey) {
    const Table table = reservedTable(passenger);
    return priceFarePlusCharge(tables, passenger, trip, journey,
                               sectionCharge(tables, table, routing, journey.section));
}

ChargedPrice priceGreen(const TableStore& tables, Passenger passenger, Trip trip, Routing routing,
                        const Journey& journey) {
    const Table express = greenExpressTable(passenger);
    const double charge = sectionCharge(tables, Table::Green, routing, journey.section) +
                          sectionCharge(tables, express, routing, journey.section);
    return priceFarePlusCharge(tables, passenger, trip, journey, charge);
}

double marineReservedCharge(Passenger passenger, Season season) {
    const bool offPeak = season == Season::OffPeak;
    if (passenger == Passenger::Child) return offPeak ? 150 : 250;
    return offPeak ? 310 : 510;
}

ChargedPrice priceMarineReserved(const TableStore& tables, Passenger passenger, Trip trip, Season season,
                                 const Journey& journey) {
    return priceFarePlusCharge(tables, passenger, trip, journey, marineReservedCharge(passenger, season));
}

ChargedPrice priceMarineGreen(const TableStore& tables, Passenger passenger, Trip trip, const Journey& journey) {
    return priceFarePlusCharge(tables, passenger, trip, journey,
                               tables.value(Table::MarineG, journey.section.from, journey.section.to));
}

Msg reservedCaption(Season season) {
    switch (season) {
        case Season::Busy:
            return Msg::CaptionReservedBusy;
        case Season::Normal:
            return Msg::CaptionReservedNormal;
        case Season::OffPeak:
            break;
    }
    return Msg::CaptionReservedOffPeak;
}

Msg marineReservedCaption(Season season) {
    return season == Season::OffPeak ? Msg::CaptionMarineReservedOffPeak : Msg::CaptionMarineReserved;
}

}  // namespace mkd
