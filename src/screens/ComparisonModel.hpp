// The compare window's table: one row per way of travel, with the fare,
// charge and total of each passenger class, the party's total, the ticket's
// validity and, for a way the screens do not offer, why. Where split tickets
// are cheaper for the party, a row for them under the local train's: each
// class's total, the party's, the fewest days a ticket is valid and the
// saving with where the tickets meet; the tickets and what they give up in
// its tooltip. Every amount is the core's (pricing/comparison.hpp); this
// only writes it in the interface's language.
#pragma once

#include <QAbstractTableModel>

#include "pricing/comparison.hpp"
#include "words/words.hpp"

class ComparisonModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The party's total right after the way: what a party asks first.
    enum Column {
        Way,
        PartyTotal,
        AdultFare,
        AdultCharge,
        AdultTotal,
        ChildFare,
        ChildCharge,
        ChildTotal,
        StudentFare,
        StudentCharge,
        StudentTotal,
        Validity,
        Note,
        ColumnCount
    };
    // The amount behind a cell (yen, or days for Validity) for sorting: a
    // cell without one sorts after every amount.
    static constexpr int SortRole = Qt::UserRole;
    // Whether the row is the cheapest way for the party.
    static constexpr int CheapestRole = Qt::UserRole + 1;
    // Whether the row is the split tickets' rather than a way's.
    static constexpr int SplitRole = Qt::UserRole + 2;
    // The yen behind an amount cell, unrounded; none for the other cells
    // and for an amount not offered.
    static constexpr int AmountRole = Qt::UserRole + 3;

    using QAbstractTableModel::QAbstractTableModel;

    void show(const mkd::Comparison& comparison, mkd::Lang lang);
    const mkd::Comparison& comparison() const { return comparison_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The passenger class and the part of its price (0 fare, 1 charge, 2
    // total) of an amount column; false for the other columns.
    static bool classColumn(int column, mkd::Passenger& passenger, int& part);

    // The way of a row; null for the split tickets' row.
    const mkd::WayRow* way(int row) const;

private:
    QString text(const mkd::WayRow& row, int column) const;
    QVariant amount(const mkd::WayRow& row, int column) const;
    QString splitText(int column) const;
    QVariant splitAmount(int column) const;
    QVariant splitData(int column, int role) const;

    mkd::Comparison comparison_;
    mkd::Lang lang_ = mkd::Lang::Japanese;
    int splitAt_ = -1;  // the split tickets' row, under the local train's; -1 when none
};
