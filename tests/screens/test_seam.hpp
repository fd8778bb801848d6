// The seam the screen tests run on: messages kept, never shown; the clock
// fixed on 2007-08-12; the application directory given; settings kept in
// memory, never in the user's own.
#pragma once

#include <QString>
#include <QStringList>
#include <QVariantMap>

#include "screens/Seam.hpp"

class TestSeam : public Seam {
public:
    explicit TestSeam(QString appDir = QStringLiteral(".")) : appDir_(std::move(appDir)) {}
    void message(const QString& text, const QString& = {}) override { messages << text; }
    void fatal(const QString& text) override { messages << text; }
    void endProgram(int) override {}
    mkd::Date today() override { return {2007, 8, 12}; }
    QString applicationDirectory() override { return appDir_; }
    QVariant setting(const QString& key) const override { return settings.value(key); }
    void setSetting(const QString& key, const QVariant& value) override { settings.insert(key, value); }
    QStringList messages;
    QVariantMap settings;

private:
    QString appDir_;
};
