// The real message boxes, clock, application directory, settings and end of
// program.
#pragma once

#include <functional>

#include "app/SettingsFile.hpp"
#include "screens/Seam.hpp"
#include "words/words.hpp"

class DesktopSeam : public Seam {
public:
    // `settingsFile`: the user's settings file ("" keeps them for this run).
    DesktopSeam(QString appDir, std::string settingsFile);
    ~DesktopSeam() override;

    void message(const QString& text, const QString& informative = {}) override;
    bool confirm(const QString& text, const QString& informative = {}) override;
    void fatal(const QString& text) override;
    void endProgram(int status) override;
    mkd::Date today() override;
    QString applicationDirectory() override { return appDir_; }
    QVariant setting(const QString& key) const override;
    void setSetting(const QString& key, const QVariant& value) override;
    void updateSetting(const QString& key, const std::function<QVariant(const QVariant&)>& change) override;

    // The language of the words the screens speak now, for a message about
    // the settings file.
    void setLanguageSource(std::function<mkd::Lang()> language) { language_ = std::move(language); }

    bool ended() const { return ended_; }
    int status() const { return status_; }

private:
    // A settings file that is not used is said once, on standard error and,
    // once the program is running, in a message box.
    void tellSettingsProblem() const;
    QString settingsProblemText() const;

    QString appDir_;
    mutable SettingsFile settings_;
    mutable bool settingsProblemTold_ = false;
    std::function<mkd::Lang()> language_;
    bool ended_ = false;
    int status_ = 0;
};
