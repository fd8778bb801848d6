#include "screens/ComparisonModel.hpp"

#include <QFont>
#include <limits>

#include "explain/comparison_words.hpp"
#include "explain/enquiry_words.hpp"
#include "screens/text.hpp"
#include "words/money.hpp"

namespace {

// What a cell without an amount shows: the reason is in the row's note.
const QString kNone = QStringLiteral("—");

}  // namespace

void ComparisonModel::show(const mkd::Comparison& comparison, mkd::Lang lang) {
    beginResetModel();
    comparison_ = comparison;
    lang_ = lang;
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

int ComparisonModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(comparison_.rows.size());
}

int ComparisonModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

bool ComparisonModel::classColumn(int column, mkd::Passenger& passenger, int& part) {
    if (column < AdultFare || column > StudentTotal) return false;
    passenger = mkd::kPassengers[static_cast<std::size_t>((column - AdultFare) / 3)];
    part = (column - AdultFare) % 3;
    return true;
}

QVariant ComparisonModel::amount(const mkd::WayRow& row, int column) const {
    mkd::Passenger passenger;
    int part = 0;
    if (classColumn(column, passenger, part)) {
        const auto& answer = row.price(passenger).answer;
        if (!answer || (part == 1 && !answer->charged)) return {};
        return part == 0 ? answer->fare : part == 1 ? answer->charge : answer->total;
    }
    if (column == PartyTotal && row.partyTotal) return *row.partyTotal;
    if (column == Validity && row.validityDays > 0) return row.validityDays;
    return {};
}

QString ComparisonModel::text(const mkd::WayRow& row, int column) const {
    switch (column) {
        case Way: {
            const QString name = toQt(mkd::wayName(row, comparison_.request.season, lang_));
            return row.cheapest ? QStringLiteral("★ ") + name : name;
        }
        case Validity:
            return row.validityDays > 0 ? toQt(mkd::validityText(row.validityDays, lang_)) : kNone;
        case Note:
            return toQt(mkd::wayRefusalText(row, lang_));
        default:
            break;
    }
    const QVariant value = amount(row, column);
    return value.isValid() ? toQt(mkd::formatMoney(value.toDouble(), lang_)) : kNone;
}

QVariant ComparisonModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const mkd::WayRow& row = comparison_.rows[static_cast<std::size_t>(index.row())];
    const int column = index.column();
    switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole:
            return text(row, column);
        case Qt::ToolTipRole:
            if (column == Way && row.cheapest) return tr("人数分の合計がいちばん安い乗り方");
            if (column == Note || (column == Way && !row.partyTotal)) {
                const QString why = toQt(mkd::wayRefusalText(row, lang_));
                return why.isEmpty() ? QVariant() : why;
            }
            return {};
        case Qt::TextAlignmentRole:
            return column == Way || column == Note ? int(Qt::AlignLeft | Qt::AlignVCenter)
                                                   : int(Qt::AlignRight | Qt::AlignVCenter);
        case Qt::FontRole:
            if (row.cheapest) {
                QFont bold;
                bold.setBold(true);
                return bold;
            }
            return {};
        case SortRole: {
            if (column == Way) return index.row();
            if (column == Note) return text(row, column);
            const QVariant value = amount(row, column);
            return value.isValid() ? value.toDouble() : std::numeric_limits<double>::max();
        }
        case CheapestRole:
            return row.cheapest;
        default:
            return {};
    }
}

QVariant ComparisonModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
    mkd::Passenger passenger;
    int part = 0;
    if (classColumn(section, passenger, part)) {
        const QString who = toQt(mkd::passengerName(passenger, lang_));
        const QString what = part == 0 ? tr("運賃") : part == 1 ? tr("料金") : tr("計");
        return tr("%1 %2").arg(who, what);
    }
    switch (section) {
        case Way:
            return tr("乗り方");
        case PartyTotal:
            return toQt(mkd::text(mkd::Msg::PartyTotal, lang_));
        case Validity:
            return toQt(mkd::text(mkd::Msg::ValidityLine, lang_));
        case Note:
            return tr("選べない理由");
        default:
            return {};
    }
}
