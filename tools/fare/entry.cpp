// mkd-fare's entry point: the command line, with a last guard so that the
// exit status stays one of the documented ones whatever goes wrong, and a
// check that the answer reached standard output whole.
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <iostream>

#include "commands.hpp"
#include "output.hpp"
#include "words/language.hpp"
#include "words/words.hpp"

int main(int argc, char** argv) {
    // Into a file or a pipe, the answer goes out in one piece at the end, so
    // that a write that fails does so in finishOutput's flush, which then knows
    // why (a full disk, a file at its size limit); only a larger answer is
    // written as it grows.
    static char buffer[1 << 20];
    if (!::isatty(STDOUT_FILENO)) std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
    mkd::Lang language = mkd::systemLanguage();
    int status = fare::kUsageError;
    try {
        status = fare::commandLine(argc, argv, language);
    } catch (const std::exception& e) {
        std::cerr << "mkd-fare: " << fare::printable(e.what()) << '\n';
    } catch (...) {
        std::cerr << "mkd-fare: an unexpected error\n";
    }
    if (const int error = fare::finishOutput()) {
        std::cerr << "mkd-fare: "
                  << mkd::text(mkd::Msg::FareCannotWriteBecause, language,
                               {mkd::text(mkd::Msg::FareStandardOutput, language), mkd::reasonText(error, language)})
                  << '\n';
        return fare::kUsageError;
    }
    return status;
}
