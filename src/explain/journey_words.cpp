#include "explain/journey_words.hpp"

namespace mkd {

namespace {

// Lines named in one message: enough to find them, not a page of them.
constexpr std::size_t kLinesNamed = 10;

std::string megabytes() { return std::to_string(kMaxJourneyFileBytes / (1024 * 1024)); }

}  // namespace

std::string journeyProblemText(const JourneyProblem& problem, Lang lang) {
    switch (problem.damage) {
        case JourneyDamage::FirstLine:
            return std::string(text(Msg::JourneyBadFirstLine, lang));
        case JourneyDamage::FieldCount:
            return text(Msg::JourneyBadFieldCount, lang, {std::to_string(problem.fields)});
        case JourneyDamage::TooLarge:
            return std::string(text(Msg::ReasonFileTooLarge, lang));
        case JourneyDamage::Value:
        case JourneyDamage::None:
            break;
    }
    return text(Msg::JourneyBadValue, lang, {problem.field, problem.value});
}

std::string journeyLoadText(const JourneyLoad& load, const std::string& path, Lang lang) {
    if (load.error != 0) return text(Msg::JourneyUnreadable, lang, {path, reasonText(load.error, lang)});
    if (load.read.ok()) return {};
    const JourneyProblem& first = load.read.problems.front();
    if (load.keptAs.empty())
        return text(
            Msg::JourneyNotSetAside, lang,
            {path, std::to_string(first.line), journeyProblemText(first, lang), reasonText(load.asideError, lang)});
    if (first.damage == JourneyDamage::TooLarge)
        return text(Msg::JourneyTooLarge, lang, {path, megabytes(), load.keptAs});
    if (load.read.whole())
        return text(Msg::JourneyDamaged, lang,
                    {path, std::to_string(first.line), journeyProblemText(first, lang), load.keptAs});
    std::string lines;
    const auto& problems = load.read.problems;
    for (std::size_t i = 0; i < problems.size() && i < kLinesNamed; ++i) {
        if (i > 0) lines += text(Msg::JourneyLineSeparator, lang);
        lines +=
            text(Msg::JourneyLine, lang, {std::to_string(problems[i].line), journeyProblemText(problems[i], lang)});
    }
    if (problems.size() > kLinesNamed)
        lines += std::string(text(Msg::JourneyLineSeparator, lang)) +
                 text(Msg::JourneyMoreLines, lang, {std::to_string(problems.size() - kLinesNamed)});
    return text(Msg::JourneyLinesDamaged, lang, {path, lines, load.keptAs, std::to_string(load.read.list.rows.size())});
}

std::string journeySaveText(const SaveResult& saved, Lang lang) {
    if (saved.error == JourneyStore::kFull) return text(Msg::JourneyFull, lang, {saved.path, megabytes()});
    const std::string reason =
        saved.error == JourneyStore::kKeptAsItIs     ? std::string(text(Msg::ReasonDamagedKept, lang))
        : saved.problem == SaveProblem::ReadOnlyFile ? std::string(text(Msg::ReasonReadOnlyFile, lang))
                                                     : reasonText(saved.error, lang);
    return text(Msg::JourneyNotSaved, lang, {saved.path, reason});
}

}  // namespace mkd
