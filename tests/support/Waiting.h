#pragma once
// Waiting on real libraries in tests: the event loop keeps running until the condition holds.
#include <QElapsedTimer>
#include <QTest>

namespace ov::test {

template <class Predicate> bool WaitUntil(Predicate done, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs) return false;
        QTest::qWait(10);
    }
    return true;
}

} // namespace ov::test
