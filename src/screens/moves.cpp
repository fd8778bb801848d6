#include "screens/moves.hpp"

#include "screens/KindScreens.hpp"

namespace {

// The control that prices each passenger on a choice screen.
constexpr const char* kPassengerButtons[] = {"cmdOtona", "cmdKodomo", "cmdGakuwari"};

std::vector<Move> makeMoves() {
    std::vector<Move> out;
    const auto add = [&out](Move m) {
        for (const Move& known : out)
            if (known.from == m.from && known.control == m.control && known.kind == m.kind) return;
        out.push_back(std::move(m));
    };
    for (mkd::Enquiry kind : mkd::kEnquiries) {
        const KindScreens& row = kindScreens(kind);
        // The express kinds share the start screen's button and their
        // section screen; those moves belong to none of them alone.
        add({"frmStart", row.entry, std::nullopt, screenAfterStart(row)});
        if (row.section) {
            add({row.section, row.leaveSection, std::nullopt, row.date ? row.date : row.choice});
            add({row.section, "cmdBack", std::nullopt, "frmStart", true});
        }
        if (row.date) {
            add({row.date, "cmdNext", std::nullopt, row.choice});
            add({row.date, "cmdBack", std::nullopt, row.section ? row.section : "frmStart", true});
        }
        add({row.choice, "cmdBack", std::nullopt, screenBeforeChoice(row), true});
        for (const char* button : kPassengerButtons) add({row.choice, button, std::nullopt, row.result});
        add({row.result, "cmdBack", kind, row.choice, true});
        // "再検索": every screen of the finished enquiry goes, so the next
        // one starts afresh.
        Move retry{row.result, "cmdRetry", kind, "frmStart", true};
        if (row.date) retry.discards.emplace_back(row.date);
        retry.discards.emplace_back(row.choice);
        if (row.section) retry.discards.emplace_back(row.section);
        add(std::move(retry));
    }
    return out;
}

}  // namespace

const std::vector<Move>& moves() {
    static const std::vector<Move> all = makeMoves();
    return all;
}

const Move* findMove(const std::string& screen, const std::string& control, std::optional<mkd::Enquiry> kind) {
    for (const Move& m : moves())
        if (m.from == screen && m.control == control && (!m.kind || m.kind == kind)) return &m;
    return nullptr;
}
