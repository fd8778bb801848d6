// A random user for mkd-scenario --monkey: it starts the program and takes
// random actions a user could take, checking the program after every one.
//
// The actions: choose any position in a shown, enabled list; press any shown,
// enabled button or option; choose any shown, enabled menu item of an enabled
// menu; close a shown screen; restart once the program has ended. Each
// restart (and the start) sets the clock to a random date of 1990–2030.
//
// After every action: the program has ended, or exactly one screen is shown;
// every shown amount reads like "1,230円" and is what the core answers for the
// same request (stations, section, passenger, trip, routing and season read
// from the screens, asked afresh as mkd-fare asks); no message box appeared but the
// program's own; no table file was reported broken (the tables are expected
// to be complete); the action could be replayed from a scenario file; after a
// restart the start screen shows the pair "変更" stored last; the compare
// window, once opened (its menu item, Ctrl+K on a result), shows for every way
// the totals the core answers for the request its controls hold.
#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <optional>

#include "data/date.hpp"

struct MonkeyRun {
    QString appDir;  // the folder that holds Untin/ (copied, as for a scenario)
    std::optional<mkd::Date> today;  // a fixed clock instead of a random date per start
    long steps = 0;
    unsigned long long seed = 0;
};

// Runs the random user. Prints a summary and returns 0 when every check held;
// else prints the seed, what broke and a scenario file that replays the
// actions up to it, and returns 1.
int runMonkey(const MonkeyRun& run, QTextStream& out);
