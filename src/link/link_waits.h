#pragma once

// The waits of the link's commands, behind an interface so tests need not sleep.
class LinkWaits
{
public:
    virtual ~LinkWaits() = default;
    // Blocks the thread; no event is handled meanwhile.
    virtual void blockingWait(int ms) = 0;
    // Handles the events that are pending, then returns.
    virtual void processPendingMessages() = 0;
    // Lets events run (receive events, timer ticks) for ms milliseconds.
    virtual void processMessagesThenWait(int ms) = 0;
};

// The program's waits: a sleep, and a local event loop quit by a timer.
class EventLoopWaits : public LinkWaits
{
public:
    void blockingWait(int ms) override;
    void processPendingMessages() override;
    void processMessagesThenWait(int ms) override;
    static EventLoopWaits& instance();
};
