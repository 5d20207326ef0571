#pragma once

#include <functional>

#include <QList>
#include <QString>

#include "link/link_waits.h"

// Records the waits instead of waiting. "B200" is a blocking wait of 200 ms, "P" pending
// messages processed, "L50" events run for 50 ms. duringLoop runs in every "L" wait, as
// events would; clock, when set, moves by the waited time.
class FakeWaits : public LinkWaits
{
public:
    void blockingWait(int ms) override
    {
        log.append(QStringLiteral("B%1").arg(ms));
        advance(ms);
    }
    void processPendingMessages() override { log.append(QStringLiteral("P")); }
    void processMessagesThenWait(int ms) override
    {
        log.append(QStringLiteral("L%1").arg(ms));
        if (duringLoop)
            duringLoop();
        advance(ms);
    }

    int count(const QString& entry) const { return int(log.count(entry)); }

    QList<QString> log;
    std::function<void()> duringLoop;
    std::function<void(int)> advance = [](int) {};
};
