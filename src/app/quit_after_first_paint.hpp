// With MKD_EXIT_AFTER_SHOWN=1 a program quits once its first window has
// painted itself, so that launch-to-exit is its start-up time. mkd and the
// bare window of bench/ use the same filter, so they are timed alike.
// With MKD_SHOWN_FD=N as well, it first writes one byte to file descriptor N
// (a pipe from bench/startup_bench.cpp) at the moment the painted window has
// been handed to the window system, so that the time to "shown" can be taken
// without the time the program then needs to close.
#pragma once

#include <unistd.h>
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

class QuitAfterFirstPaint : public QObject {
public:
    // Installs the filter on `app` when the environment asks for it.
    void installIfAsked(QCoreApplication& app) {
        if (qEnvironmentVariableIntValue("MKD_EXIT_AFTER_SHOWN") != 1) return;
        bool ok = false;
        const int fd = qEnvironmentVariableIntValue("MKD_SHOWN_FD", &ok);
        shownFd_ = ok && fd > 2 ? fd : -1;
        app.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !armed_) {
            armed_ = true;
            // Runs once the paint in progress, of the whole window, is done.
            QTimer::singleShot(0, qApp, [fd = shownFd_] {
                if (fd >= 0) {
                    const char shown = '1';
                    [[maybe_unused]] const ssize_t written = ::write(fd, &shown, 1);
                    ::close(fd);
                }
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    bool armed_ = false;
    int shownFd_ = -1;
};
