#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace vantelo::testing {

// Runs `act` on the next modal widget as soon as it shows, from the event
// loop of its exec(): how tests answer message boxes and dialogs.
inline void OnNextModal(std::function<void(QWidget*)> act) {
    auto* timer = new QTimer(QCoreApplication::instance());
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        act(modal);
    });
    timer->start();
}

} // namespace vantelo::testing
