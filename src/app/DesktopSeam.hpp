// The real message boxes, clock, application directory and end of program.
#pragma once

#include "screens/Seam.hpp"

class DesktopSeam : public Seam {
public:
    explicit DesktopSeam(QString appDir) : appDir_(std::move(appDir)) {}

    void message(const QString& text, const QString& informative = {}) override;
    void fatal(const QString& text) override;
    void endProgram(int status) override;
    mkd::Date today() override;
    QString applicationDirectory() override { return appDir_; }

    bool ended() const { return ended_; }
    int status() const { return status_; }

private:
    QString appDir_;
    bool ended_ = false;
    int status_ = 0;
};
