#pragma once

#include <memory>

#include "link/station_link.h"
#include "support/fake_clock.h"
#include "support/fake_port.h"
#include "support/fake_recording_target.h"
#include "support/fake_waits.h"
#include "support/frames.h"
#include "support/station_link_test_access.h"

// A StationLink on a fake port and clock, with a record window that can be taken away.
struct LinkFixture
{
    FakePort port;
    FakeClock clock;
    FakeWaits waits;
    FakeRecordingTarget target;
    bool hasTarget = true;
    std::unique_ptr<StationLink> link;

    LinkFixture()
    {
        link = std::make_unique<StationLink>(port, clock);
        link->setWaits(&waits);
        waits.advance = [this](int ms) { clock.advance(uint32_t(ms)); };
        link->setRecordingTargetProvider([this]() -> RecordingTarget* { return hasTarget ? &target : nullptr; });
        link->resetForStartup();
    }

    StationLinkTestAccess probe() { return StationLinkTestAccess(*link); }

    // Communication on, as switching it with actnComunica does.
    void communicationOn()
    {
        if (!link->communicationOn())
            link->toggleCommunication();
    }
    // A link that has said hello and got its answer.
    void alive()
    {
        communicationOn();
        link->sayHello();
        port.inject(QByteArray("\x55", 1));
        port.writes.clear();
    }
    void receiveFrame(const StationStatus& s) { port.inject(wireFrame(s)); }
    // ms milliseconds pass, then chekD ticks if it is running.
    void tickAfter(uint32_t ms)
    {
        clock.advance(ms);
        if (link->timerActive())
            probe().tick();
    }
};

inline StationStatus status(uint16_t tc = 25, uint16_t tb = 30)
{
    StationStatus s;
    s.setWord(StationStatus::Word::Tc, tc);
    s.setWord(StationStatus::Word::Tb, tb);
    s.setCelsius(true);
    s.setFlow(3);
    return s;
}

inline QByteArray hello()
{
    return QByteArray("\x55", 1);
}
