// What the screens need from the world outside the program: message boxes,
// ending the program, today's date and the application directory.
//
// The desktop program passes the real ones; tests and mkd-scenario pass a seam
// that records messages and answers them with OK, and sets the date.
#pragma once

#include <QString>

#include "pricing/date.hpp"

class Seam {
public:
    virtual ~Seam() = default;

    // An information message box titled "みちくさダイヤ" with one OK button;
    // returns when the user has answered it. `informative`, when given, is
    // the box's second part: why, below the message itself.
    virtual void message(const QString& text, const QString& informative = {}) = 0;

    // The report of a fatal error (a table file that cannot be used); the
    // program ends right after it.
    virtual void fatal(const QString& text) = 0;

    // The program ends with this exit status.
    virtual void endProgram(int status) = 0;

    virtual mkd::Date today() = 0;

    // The program's folder (mkd-scenario: its copy that holds Untin/). Which
    // table folder and which Henko.txt are in use, and why, the tables say:
    // mdlKeisan::locations(), mkd::describeLocations().
    virtual QString applicationDirectory() = 0;
};
