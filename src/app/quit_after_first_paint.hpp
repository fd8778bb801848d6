// With MKD_EXIT_AFTER_SHOWN=1 a program quits once its first window has
// painted itself, so that launch-to-exit is its start-up time. mkd and the
// bare window of bench/ use the same filter, so they are timed alike.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

class QuitAfterFirstPaint : public QObject {
public:
    // Installs the filter on `app` when the environment asks for it.
    void installIfAsked(QCoreApplication& app) {
        if (qEnvironmentVariableIntValue("MKD_EXIT_AFTER_SHOWN") == 1) app.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !armed_) {
            armed_ = true;
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }

private:
    bool armed_ = false;
};
