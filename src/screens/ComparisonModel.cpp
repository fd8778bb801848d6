#include "screens/ComparisonModel.hpp"

#include <QFont>
#include <QStringList>
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
    splitAt_ = -1;
    if (comparison_.split.cheaper())
        for (std::size_t i = 0; i < comparison_.rows.size(); ++i)
            if (comparison_.rows[i].kind == mkd::Enquiry::Local) splitAt_ = static_cast<int>(i) + 1;
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

int ComparisonModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(comparison_.rows.size()) + (splitAt_ >= 0 ? 1 : 0);
}

const mkd::WayRow* ComparisonModel::way(int row) const {
    if (row == splitAt_) return nullptr;
    return &comparison_.rows[static_cast<std::size_t>(splitAt_ >= 0 && row > splitAt_ ? row - 1 : row)];
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

QVariant ComparisonModel::splitAmount(int column) const {
    const mkd::SplitRow& split = comparison_.split;
    mkd::Passenger passenger;
    int part = 0;
    if (classColumn(column, passenger, part)) {
        const mkd::SplitAnswer& a = split.answer(passenger);
        if (part == 1 || a.problem != mkd::SplitProblem::None) return {};
        return a.total;
    }
    if (column == PartyTotal && split.partyTotal) return *split.partyTotal;
    if (column == Validity && split.validityDays > 0) return split.validityDays;
    return {};
}

QString ComparisonModel::splitText(int column) const {
    switch (column) {
        case Way:
            return toQt(mkd::splitWayName(lang_));
        case Validity:
            return comparison_.split.validityDays > 0 ? toQt(mkd::validityText(comparison_.split.validityDays, lang_))
                                                      : kNone;
        case Note:
            return toQt(mkd::splitRowNote(comparison_.split, lang_));
        default:
            break;
    }
    const QVariant value = splitAmount(column);
    return value.isValid() ? toQt(mkd::formatMoney(value.toDouble(), lang_)) : kNone;
}

QVariant ComparisonModel::splitData(int column, int role) const {
    switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole:
            return splitText(column);
        case Qt::ToolTipRole:
        case Qt::AccessibleDescriptionRole: {
            // The tickets are the row's point: every cell tells them.
            QStringList lines;
            for (const std::string& line : mkd::splitRowLines(comparison_.split, comparison_.request.party, lang_))
                lines << toQt(line);
            return lines.join(QLatin1Char('\n'));
        }
        case Qt::TextAlignmentRole:
            return column == Way || column == Note ? int(Qt::AlignLeft | Qt::AlignVCenter)
                                                   : int(Qt::AlignRight | Qt::AlignVCenter);
        case SortRole: {
            if (column == Way) return splitAt_;
            if (column == Note) return splitText(column);
            const QVariant value = splitAmount(column);
            return value.isValid() ? value.toDouble() : std::numeric_limits<double>::max();
        }
        case CheapestRole:
            return false;
        case SplitRole:
            return true;
        case AmountRole:
            return column == Validity ? QVariant() : splitAmount(column);
        default:
            return {};
    }
}

QVariant ComparisonModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const mkd::WayRow* way = this->way(index.row());
    if (!way) return splitData(index.column(), role);
    const mkd::WayRow& row = *way;
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
        case SplitRole:
            return false;
        case AmountRole:
            return column == Validity ? QVariant() : amount(row, column);
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
            // Why a way is not offered, or what split tickets save.
            return tr("備考");
        default:
            return {};
    }
}
