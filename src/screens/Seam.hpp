// What the screens need from the world outside the program: message boxes,
// ending the program, today's date, the application directory and the user's
// settings.
//
// The desktop program passes the real ones; tests and mkd-scenario pass a seam
// that records messages and answers them with OK, sets the date, and keeps
// settings in memory so that a test never reads or changes the user's own.
#pragma once

#include <QString>
#include <QVariant>
#include <functional>

#include "data/date.hpp"

class Seam {
public:
    virtual ~Seam() = default;

    // An information message box titled "みちくさダイヤ" with one OK button;
    // returns when the user has answered it. `informative`, when given, is
    // the box's second part: why, below the message itself.
    virtual void message(const QString& text, const QString& informative = {}) = 0;

    // A question titled "みちくさダイヤ" with the buttons Yes and No (the
    // default): true when the user answered Yes. A seam that asks nobody
    // answers No.
    virtual bool confirm(const QString& text, const QString& informative = {}) {
        (void)text;
        (void)informative;
        return false;
    }

    // The report of a fatal error (a table file that cannot be used); the
    // program ends right after it.
    virtual void fatal(const QString& text) = 0;

    // The program ends with this exit status.
    virtual void endProgram(int status) = 0;

    virtual mkd::Date today() = 0;

    // The program's folder (mkd-scenario: its copy that holds Untin/). Which
    // table folder and which Henko.txt are in use, and why, the tables say:
    // TableStore::locations(), mkd::describeLocations().
    virtual QString applicationDirectory() = 0;

    // A setting of this user (where the windows were, later the language),
    // kept from one run of the program to the next; an invalid value when
    // nothing is stored under `key`. A seam without storage keeps nothing.
    virtual QVariant setting(const QString& key) const {
        (void)key;
        return {};
    }
    virtual void setSetting(const QString& key, const QVariant& value) {
        (void)key;
        (void)value;
    }
    // Stores what `change` makes of the setting as it is stored now: where
    // another program may change the same setting (a list of favourites),
    // its change is kept.
    virtual void updateSetting(const QString& key, const std::function<QVariant(const QVariant&)>& change) {
        setSetting(key, change(setting(key)));
    }
};
