// The seam the screen tests run on: messages kept, never shown; the clock
// fixed on 2007-08-12; the application directory given.
#pragma once

#include <QString>
#include <QStringList>

#include "screens/Seam.hpp"

class TestSeam : public Seam {
public:
    explicit TestSeam(QString appDir = QStringLiteral(".")) : appDir_(std::move(appDir)) {}
    void message(const QString& text, const QString& = {}) override { messages << text; }
    void fatal(const QString& text) override { messages << text; }
    void endProgram(int) override {}
    mkd::Date today() override { return {2007, 8, 12}; }
    QString applicationDirectory() override { return appDir_; }
    QStringList messages;

private:
    QString appDir_;
};
