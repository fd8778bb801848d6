// The real message boxes, clock, application directory, settings and end of
// program.
#pragma once

#include <memory>

#include "screens/Seam.hpp"

class QSettings;

class DesktopSeam : public Seam {
public:
    explicit DesktopSeam(QString appDir);
    ~DesktopSeam() override;

    void message(const QString& text, const QString& informative = {}) override;
    void fatal(const QString& text) override;
    void endProgram(int status) override;
    mkd::Date today() override;
    QString applicationDirectory() override { return appDir_; }
    QVariant setting(const QString& key) const override;
    void setSetting(const QString& key, const QVariant& value) override;

    bool ended() const { return ended_; }
    int status() const { return status_; }

private:
    QSettings& settings() const;

    QString appDir_;
    mutable std::unique_ptr<QSettings> settings_;
    bool ended_ = false;
    int status_ = 0;
};
