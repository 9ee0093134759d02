#pragma once
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

// Runs the action on the modal dialog of that form name as soon as it is up. A watchdog closes
// whatever modal dialog is still open after a while, so that a failing test ends.
inline void onModal(const QString& formName, std::function<void(QDialog*)> action)
{
    auto* timer = new QTimer(qApp);
    auto* elapsed = new QElapsedTimer;
    elapsed->start();
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [=] {
        QWidget* w = QApplication::activeModalWidget();
        if (w && w->objectName() == formName && w->isVisible()) {
            timer->stop();
            timer->deleteLater();
            delete elapsed;
            action(qobject_cast<QDialog*>(w));
        } else if (elapsed->elapsed() > 20000) {
            timer->stop();
            timer->deleteLater();
            delete elapsed;
            ADD_FAILURE() << "no modal dialog " << formName.toStdString();
            while (QWidget* open = QApplication::activeModalWidget()) {
                if (auto* d = qobject_cast<QDialog*>(open))
                    d->done(QDialog::Rejected);
                else
                    open->close();
                if (open == QApplication::activeModalWidget())
                    break;
            }
        }
    });
    timer->start();
}
