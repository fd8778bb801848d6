// The reports of `mkd-fare check`, as text and as JSON, on arbitrary table
// text. The first byte picks the file (one of the sixteen tables, or
// Henko.txt), the second the table's size, 1 to 8 stations; the rest is
// its text. The check reads a table of any size alike; a small one puts
// every end of a record and of the file within a short input, and keeps a
// run fast enough for tens of millions of inputs (the full-size tables are
// checked by the unit tests). The folder named in the reports is not
// UTF-8 either, as a folder unpacked from another system's archive may be.
//
// Properties:
// - both reports are valid UTF-8, and the JSON one is valid JSON;
// - the text report has the edition's line, one line a problem (a line end
//   in a cell's text is written \x0D, \x0A) and a summary line;
// - the JSON report holds every problem, with the same text as the text
//   report, and counts and status that agree with them.
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "data/table_catalogue.hpp"
#include "data/table_check.hpp"
#include "fuzz_check.hpp"
#include "output.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const auto files = mkd::tableFiles();
    const std::size_t pick = data[0] % (files.size() + 1);
    const int stations = 1 + data[1] % 8;
    const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
    const std::vector<mkd::TableProblem> problems = pick == files.size()
                                                        ? mkd::checkInitialSelectionText(text)
                                                        : mkd::checkTableText(files[pick].name, text, stations);
    const std::string folder = "/srv/caf\xE9/Untin";

    const mkd::Locations where = mkd::locationsOfTableFolder(folder);
    const mkd::Lang lang = data[0] & 0x80 ? mkd::Lang::Japanese : mkd::Lang::English;
    const auto lineCount = [](std::string_view text) {
        std::size_t lines = 0;
        for (char c : text) lines += c == '\n' ? 1 : 0;
        return lines;
    };

    const std::string report = fare::checkReportText(folder, where, problems, lang);
    FUZZ_CHECK(fare::isUtf8(report));
    // The lines of where the tables are, the tables' edition, a line a
    // problem, the summary.
    FUZZ_CHECK(lineCount(report) == lineCount(mkd::describeLocations(where, lang)) + 1 + 1 + problems.size() + 1);

    const std::string json = fare::checkReportJson(folder, where, problems, lang);
    FUZZ_CHECK(fare::isUtf8(json));
    const auto j = nlohmann::json::parse(json, nullptr, false);
    FUZZ_CHECK(!j.is_discarded());
    FUZZ_CHECK(j["problems"].size() == problems.size());
    FUZZ_CHECK(j["status"] == mkd::checkStatus(problems));
    FUZZ_CHECK(j["fatal"].get<std::size_t>() + j["warnings"].get<std::size_t>() == problems.size());
    for (std::size_t i = 0; i < problems.size(); ++i)
        FUZZ_CHECK(j["problems"][i]["text"] == fare::asUtf8(mkd::formatProblem(problems[i], lang)));
    return 0;
}
