#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include "link/frame_assembler.h"

class EventLog;
class FaultInjector;
class StationModel;
class StationPort;

// Puts the station model on a port: cuts the received bytes into hellos and frames,
// answers them through the fault injector, runs the model's clock from wall time (times
// the speed factor) and carries out the commands typed on standard input.
class StationServer : public QObject
{
    Q_OBJECT
public:
    StationServer(StationPort& port, StationModel& model, FaultInjector& faults, EventLog& log,
                  QObject* parent = nullptr);

    void setSpeed(double speed) { m_speed = speed; }
    // Where the flow memories are saved on every change; empty for no saving.
    void setStatePath(const QString& path) { m_statePath = path; }
    // Starts the simulated clock; from silentAfter seconds on (if >= 0) nothing is answered.
    void start(double silentAfter = -1.0);

    // One line of standard input. False when it is not a command; error then says why.
    bool executeCommand(const QString& line, QString* error);

signals:
    void quitRequested();

private:
    void receive(const QByteArray& bytes);
    void answerHello();
    void onGoodFrame(const StationStatus& frame);
    void onCrcError(int count);
    void catchUp();
    void saveState();
    void setSilent(bool on);
    void send(const QByteArray& bytes);

    StationPort& m_port;
    StationModel& m_model;
    FaultInjector& m_faults;
    EventLog& m_log;
    FrameAssembler m_assembler;
    // Where the assembler stands, so a 0x55 is known to lie outside a frame.
    bool m_inFrame = false;
    int m_frameBytes = 0;

    double m_speed = 1.0;
    QString m_statePath;
    QElapsedTimer m_wall;
    double m_simulatedMs = 0.0; // model time already handed to the model
    QTimer m_stepTimer;
    QTimer m_silentTimer;
};
