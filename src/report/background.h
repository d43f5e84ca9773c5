#pragma once

#include <QCoreApplication>
#include <QObject>
#include <QPointer>
#include <QThreadPool>

#include <functional>

namespace report {

// Runs `work` on a thread of the pool, off the user interface, and hands
// what it returns to `done` on the program's main thread, unless `context`
// is gone by then.
template<typename Result>
void runInBackground(QObject *context, std::function<Result()> work, std::function<void(Result)> done)
{
    QThreadPool::globalInstance()->start([guard = QPointer<QObject>(context), work, done] {
        const Result result = work();
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [guard, done, result] {
                if (guard)
                    done(result);
            },
            Qt::QueuedConnection);
    });
}

} // namespace report
