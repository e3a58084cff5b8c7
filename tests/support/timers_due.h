#pragma once
// "Nothing more happens" for timers: rather than sleeping, runs the event loop until a witness
// timer started now for `ms` has fired. Qt dispatches due timers in the order of their deadlines,
// so by then every timer due within `ms` from now has fired too, however loaded the machine is.
#include <QTest>
#include <QTimer>

// False only when the loop did not get the witness through within a minute beyond `ms`.
[[nodiscard]] inline bool RunTimersDueWithin(int ms) {
    bool fired = false;
    QTimer witness;
    witness.setSingleShot(true);
    witness.setTimerType(Qt::PreciseTimer);
    QObject::connect(&witness, &QTimer::timeout, [&fired] { fired = true; });
    witness.start(ms);
    return QTest::qWaitFor([&fired] { return fired; }, ms + 60000);
}
