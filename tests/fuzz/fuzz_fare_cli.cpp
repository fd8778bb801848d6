// mkd-fare's command line on arbitrary words: the arguments, dates,
// stations, sections and folders a user may type, in any bytes, run against
// the tables beside the program (bin/Untin). The input is the words after
// the program's name, separated by NUL bytes.
//
// Properties:
// - the exit status is one of the documented ones, 0 to 3;
// - nothing escapes as an exception;
// - what goes to standard output and standard error is valid UTF-8;
// - with --json, standard output is valid JSON (or the help or version asked
//   for).
//
// "chart" is left out: it prices every station pair (slow) and may write a
// file (-o); so is "journeys", which reads the user's own journey list.
#include <cstddef>
#include <cstdint>
#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "commands.hpp"
#include "fuzz_check.hpp"
#include "output.hpp"

namespace {

// Sends std::cout and std::cerr to strings while it lives.
class Captured {
public:
    Captured() : out_(std::cout.rdbuf(outText_.rdbuf())), err_(std::cerr.rdbuf(errText_.rdbuf())) {}
    ~Captured() {
        std::cout.rdbuf(out_);
        std::cerr.rdbuf(err_);
    }
    Captured(const Captured&) = delete;
    Captured& operator=(const Captured&) = delete;
    std::string out() const { return outText_.str(); }
    std::string err() const { return errText_.str(); }

private:
    std::ostringstream outText_, errText_;
    std::streambuf* out_;
    std::streambuf* err_;
};

bool isUtf8(std::string_view text) { return fare::asUtf8(text) == text; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> words{"mkd-fare"};
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (std::size_t start = 0; start <= bytes.size() && words.size() < 16;) {
        const std::size_t end = std::min(bytes.find('\0', start), bytes.size());
        words.emplace_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    bool json = false;
    for (const std::string& w : words) {
        if (w == "chart" || w == "journeys" || w.starts_with("-o") || w.starts_with("--o"))
            return -1;  // not kept in the corpus
        json = json || w == "--json";
    }
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);

    int status = -1;
    bool escaped = false;
    std::string out, err;
    {
        Captured captured;
        try {
            status = fare::commandLine(static_cast<int>(words.size()), argv.data());
        } catch (...) {
            escaped = true;
        }
        out = captured.out();
        err = captured.err();
    }
    FUZZ_CHECK(!escaped);
    FUZZ_CHECK(status >= 0 && status <= 3);
    FUZZ_CHECK(isUtf8(out));
    FUZZ_CHECK(isUtf8(err));
    // Help (asked for with -h anywhere, also inside "-ch") and the version
    // (--version anywhere) are text, as other programs' are.
    const bool help = out.find("\nUsage: mkd-fare") != std::string::npos;
    const bool version = out.starts_with("mkd-fare ") && out.find('\n') == out.size() - 1;
    if (json && !help && !version && !out.empty()) FUZZ_CHECK(nlohmann::json::accept(out));
    return 0;
}
