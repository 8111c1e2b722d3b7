// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QWidget>
#include <functional>

// Runs action on the next modal window of type T once it is up (looked for
// every 10 ms, for at most five seconds), for tests that drive a dialog opened
// with exec() from inside the code under test.
template <typename T> void whenModal(std::function<void(T*)> action) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    const QDeadlineTimer deadline(5000);
    QObject::connect(timer, &QTimer::timeout, [timer, deadline, action] {
        auto* window = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!window && !deadline.hasExpired())
            return;
        timer->stop();
        timer->deleteLater();
        if (window)
            action(window);
    });
    timer->start();
}
