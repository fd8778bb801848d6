#include "pricing/fares.hpp"

namespace mkd {

namespace {

struct FareKind {
    Table table;
    Msg oneWay;
    Msg roundTrip;
};

FareKind fareKind(Passenger passenger) {
    switch (passenger) {
        case Passenger::Adult:
            return {Table::Futu, Msg::BillAdultOneWay, Msg::BillAdultRoundTrip};
        case Passenger::Child:
            return {Table::Kodomo, Msg::BillChildOneWay, Msg::BillChildRoundTrip};
        case Passenger::Student:
            break;
    }
    return {Table::Gakuwari, Msg::BillStudentOneWay, Msg::BillStudentRoundTrip};
}

}  // namespace

Table ordinaryFareTable(Passenger passenger) { return fareKind(passenger).table; }

OrdinaryPrice priceOrdinary(const TableStore& tables, Passenger passenger, Trip trip, int departure, int arrival) {
    const FareKind kind = fareKind(passenger);
    const double fare = tables.value(kind.table, departure, arrival);
    if (trip == Trip::RoundTrip) return {fare + fare, kind.roundTrip};
    return {fare, kind.oneWay};
}

}  // namespace mkd
