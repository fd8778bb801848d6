// mkd-fare's entry point: the command line, with a last guard so that the
// exit status stays one of the documented ones whatever goes wrong.
#include <exception>
#include <iostream>

#include "commands.hpp"
#include "output.hpp"

int main(int argc, char** argv) {
    try {
        return fare::commandLine(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "mkd-fare: " << fare::printable(e.what()) << '\n';
    } catch (...) {
        std::cerr << "mkd-fare: an unexpected error\n";
    }
    return fare::kUsageError;
}
