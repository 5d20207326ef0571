#include "station_server.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "event_log.h"
#include "fault_injector.h"
#include "frame_description.h"
#include "station_model.h"
#include "station_port.h"
#include "station_state_file.h"

namespace {

constexpr uint8_t HelloByte = 0x55;
constexpr int StepIntervalMs = 20;

bool parseOnOff(const QString& word, bool* on)
{
    if (word == QLatin1String("on")) {
        *on = true;
        return true;
    }
    if (word == QLatin1String("off")) {
        *on = false;
        return true;
    }
    return false;
}

bool parseProbability(const QString& word, double* p)
{
    bool ok = false;
    const double v = word.toDouble(&ok);
    if (!ok || !(v >= 0.0 && v <= 1.0))
        return false;
    *p = v;
    return true;
}

QString onOff(bool on)
{
    return on ? QStringLiteral("on") : QStringLiteral("off");
}

} // namespace

StationServer::StationServer(StationPort& port, StationModel& model, FaultInjector& faults, EventLog& log,
                             QObject* parent)
    : QObject(parent), m_port(port), m_model(model), m_faults(faults), m_log(log)
{
    m_model.setEventSink([this](const QString& line) { m_log.line(line); });
    m_assembler.setGoodFrameHandler([this](const StationStatus& f) { onGoodFrame(f); });
    m_assembler.setCrcErrorHandler([this](int count) { onCrcError(count); });
    connect(&m_port, &StationPort::bytesReceived, this, &StationServer::receive);

    m_stepTimer.setObjectName(QStringLiteral("stepTimer"));
    m_stepTimer.setInterval(StepIntervalMs);
    connect(&m_stepTimer, &QTimer::timeout, this, &StationServer::catchUp);
    m_silentTimer.setObjectName(QStringLiteral("silentTimer"));
    m_silentTimer.setSingleShot(true);
    connect(&m_silentTimer, &QTimer::timeout, this, [this] { setSilent(true); });
}

void StationServer::start(double silentAfter)
{
    m_wall.start();
    m_simulatedMs = 0.0;
    m_stepTimer.start();
    if (silentAfter >= 0.0) {
        m_silentTimer.start(static_cast<int>(std::lround(silentAfter * 1000.0)));
    }
}

void StationServer::catchUp()
{
    const double target = std::floor(static_cast<double>(m_wall.elapsed()) * m_speed);
    const double delta = target - m_simulatedMs;
    if (delta < 1.0)
        return;
    // In slices, so a huge speed factor cannot overflow one call.
    double left = delta;
    while (left >= 1.0) {
        const double slice = std::min(left, 3600.0 * 1000.0);
        m_model.advance(static_cast<uint32_t>(slice));
        left -= slice;
    }
    m_simulatedMs = target;
}

void StationServer::receive(const QByteArray& bytes)
{
    for (char c : bytes) {
        const uint8_t b = static_cast<uint8_t>(c);
        if (!m_inFrame) {
            if (b == HelloByte) {
                answerHello();
                continue; // outside a frame the assembler would only discard it
            }
            if (b == StationStatus::LeadByte) {
                m_inFrame = true;
                m_frameBytes = 1;
            }
        } else if (++m_frameBytes == StationStatus::FrameSize) {
            m_inFrame = false;
        }
        m_assembler.FeedByte(b);
    }
}

void StationServer::send(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return;
    if (!m_port.write(bytes))
        std::fprintf(stderr, "tamsel-station: %s\n", qPrintable(m_port.errorString()));
}

void StationServer::answerHello()
{
    if (m_faults.silent() || m_faults.muteHello()) {
        m_log.line(QStringLiteral("hello-unanswered"));
        return;
    }
    int lost = 0;
    send(m_faults.shapeHello(&lost));
    m_log.line(QStringLiteral("hello"));
    if (lost > 0)
        m_log.line(QStringLiteral("fault lost=%1").arg(lost));
}

void StationServer::onCrcError(int count)
{
    m_log.line(QStringLiteral("crc-error count=%1").arg(count));
}

void StationServer::onGoodFrame(const StationStatus& frame)
{
    catchUp();
    m_log.line(describeFrame(frame));
    const StationModel::FrameResult result = m_model.handleFrame(frame);

    if (m_faults.silent()) {
        m_log.line(QStringLiteral("unanswered"));
    } else {
        const StationStatus answer = m_model.status();
        FaultInjector::FrameFaults faults;
        send(m_faults.shapeFrame(QByteArray(reinterpret_cast<const char*>(answer.data()), StationStatus::FrameSize),
                                 &faults));
        if (faults.noise)
            m_log.line(QStringLiteral("fault noise"));
        if (faults.corrupted)
            m_log.line(QStringLiteral("fault corrupt"));
        if (faults.lostBytes > 0)
            m_log.line(QStringLiteral("fault lost=%1").arg(faults.lostBytes));
    }

    // The answer has gone out at the old rate; only now the line changes speed.
    if (result.newBaudRate != 0 && !m_port.setBaudRate(result.newBaudRate))
        std::fprintf(stderr, "tamsel-station: cannot switch to %d baud: %s\n", result.newBaudRate,
                     qPrintable(m_port.errorString()));
    if (result.memoryChanged)
        saveState();
}

void StationServer::saveState()
{
    if (m_statePath.isEmpty())
        return;
    QString error;
    if (!StationStateFile::save(m_statePath, m_model, &error))
        std::fprintf(stderr, "tamsel-station: cannot save the state: %s\n", qPrintable(error));
}

void StationServer::setSilent(bool on)
{
    m_faults.setSilent(on);
    m_log.line(QStringLiteral("set silent=%1").arg(onOff(on)));
}

bool StationServer::executeCommand(const QString& line, QString* error)
{
    const QStringList words = line.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return true;
    const QString& cmd = words.first();
    const QString arg = words.size() == 2 ? words.at(1) : QString();
    bool on = false;
    double p = 0.0;

    if (words.size() == 1) {
        if (cmd == QLatin1String("quit")) {
            emit quitRequested();
            return true;
        }
        if (cmd == QLatin1String("start")) {
            catchUp();
            m_model.startProcess();
            return true;
        }
        if (cmd == QLatin1String("stop")) {
            catchUp();
            m_model.stopProcess();
            return true;
        }
    } else if (words.size() == 2) {
        if (cmd == QLatin1String("silent") && parseOnOff(arg, &on)) {
            m_silentTimer.stop(); // an explicit switch overrides --silent-after
            setSilent(on);
            return true;
        }
        if (cmd == QLatin1String("mute-hello") && parseOnOff(arg, &on)) {
            m_faults.setMuteHello(on);
            m_log.line(QStringLiteral("set mute-hello=%1").arg(onOff(on)));
            return true;
        }
        if (cmd == QLatin1String("drop") && parseProbability(arg, &p)) {
            m_faults.setDropProbability(p);
            m_log.line(QStringLiteral("set drop=%1").arg(p));
            return true;
        }
        if (cmd == QLatin1String("corrupt") && parseProbability(arg, &p)) {
            m_faults.setCorruptProbability(p);
            m_log.line(QStringLiteral("set corrupt=%1").arg(p));
            return true;
        }
        if (cmd == QLatin1String("noise") && parseProbability(arg, &p)) {
            m_faults.setNoiseProbability(p);
            m_log.line(QStringLiteral("set noise=%1").arg(p));
            return true;
        }
    }
    *error = QStringLiteral("not a command: \"%1\" (silent on|off, mute-hello on|off, drop P, corrupt P, "
                            "noise P with P from 0 to 1, start, stop, quit)")
                 .arg(line.trimmed());
    return false;
}
