#include "link/station_link.h"

#include <cmath>

#include "link/link_log.h"
#include "link/recording_target.h"
#include "shell/round_even.h"

namespace {
constexpr uint32_t RecoverySilenceMs = 1500; // while recording
constexpr uint32_t SilenceMs = 1700;
constexpr uint32_t HelloSpacingMs = 300;
constexpr int HellosBeforeGivingUp = 10;
constexpr int RecoveryHellosBeforeGivingUp = 35;
constexpr int MaxReceiveEvent = 1024;
} // namespace

StationLink::StationLink(PortTransport& transport, const Clock& clock, QObject* parent)
    : QObject(parent)
    , m_transport(transport)
    , m_clock(clock)
    , m_waits(&EventLoopWaits::instance())
    , m_tx(transport, clock)
{
    m_chekD.setObjectName(QStringLiteral("chekD"));
    m_chekD.setInterval(NormalInterval);
    connect(&m_chekD, &QTimer::timeout, this, &StationLink::tick);
    m_reopenTimer.setObjectName(QStringLiteral("reopenTimer"));
    m_reopenTimer.setInterval(ReopenRetryMs);
    connect(&m_reopenTimer, &QTimer::timeout, this, &StationLink::retryLostPort);
    m_assembler.setQuietLimitMs(FrameAssembler::frameTimeMs(m_baudRate));

    m_assembler.setGoodFrameHandler([this](const StationStatus& frame) { onGoodFrame(frame); });
    m_assembler.setCrcErrorHandler([this](int count) {
        qCDebug(lcLink) << "checksum error," << count << "so far";
        emit crcErrorTextChanged(FrameAssembler::crcErrorText(count));
    });
    m_tx.setWriteErrorHandler([this](const QString& error) {
        // One box per run of failures, not one per tick; a vanished device has its own.
        if (m_writeFailing || m_portLost || m_closedForShutdown)
            return;
        m_writeFailing = true;
        emit writeFailed(error);
    });

    m_transport.setReceiveHandler([this](const QByteArray& bytes) { receive(bytes); });
    m_transport.setLostHandler([this](const QString& error) { onPortLost(error); });
}

StationLink::~StationLink()
{
    m_transport.setReceiveHandler(nullptr);
    m_transport.setLostHandler(nullptr);
}

void StationLink::setWaits(LinkWaits* waits)
{
    m_waits = waits ? waits : &EventLoopWaits::instance();
}

void StationLink::resetForStartup()
{
    m_assembler.reset();
    m_helloAcknowledged = false;
    m_pendingAction = PendingAction::None;
    m_tx.setHelloCount(0);
    m_lastCommandTick = m_clock.now();
    m_lastHelloTick = m_lastCommandTick;
    m_headerRefreshCount = 1;
}

// --- port -----------------------------------------------------------------------------

QString StationLink::portOpenErrorText(int commPort, int language)
{
    const QString n = QString::number(qint64(commPort) + 1);
    return language == 0 ? QStringLiteral("Unable to open port com") + n : QStringLiteral("不能打开串口") + n;
}

bool StationLink::ReopenPort(const SerialSettings& settings)
{
    if (m_closedForShutdown)
        return false;
    // The port named now replaces any lost one the background was waiting for.
    m_portLost = false;
    m_reopenTimer.stop();
    closePort();
    m_samplingInterval = settings.intrals;
    m_changePcbMode = settings.ChangePCBMode;
    const QString name = settings.portName();
    if (name.compare(m_portName, Qt::CaseInsensitive) != 0)
        m_portName = name;
    m_baudRate = settings.baudRate();
    m_assembler.setQuietLimitMs(FrameAssembler::frameTimeMs(m_baudRate));
    m_devicePath = settings.devicePath;
    if (!m_transport.open(settings.devicePath, m_baudRate)) {
        qCDebug(lcLink).noquote() << "port" << m_portName << "failed to open:" << m_transport.errorString();
        emit portOpenFailed(portOpenErrorText(settings.CommPort, settings.language));
        return false;
    }
    m_writeFailing = false;
    qCDebug(lcLink).noquote() << "port" << m_portName << "opened at" << m_baudRate << "baud";
    emit portStateTextChanged(portOpenedText());
    return true;
}

void StationLink::closePort()
{
    if (!m_transport.isOpen())
        return;
    m_transport.close();
    emit portStateTextChanged(portClosedText());
}

void StationLink::onPortLost(const QString& error)
{
    if (m_closedForShutdown)
        return;
    // Without a port there is nobody to say hello to: supervision ends here, as a give-up
    // does (a recording stops, its samples stay), but without the station-missing message
    // and the COM port dialog. The same port is tried again in the background.
    m_chekD.stop();
    hideStatusWindow();
    if (communicationOn()) {
        setCommunicationChecked(false);
        if (m_recording) {
            m_recording = false;
            emit recordingUncheckedByGiveUp();
        }
    }
    m_helloAcknowledged = false;
    m_chekD.setInterval(NormalInterval);
    m_portLost = true;
    qCDebug(lcLink).noquote() << "port" << m_portName << "lost:" << error << "- reopening in the background";
    m_reopenTimer.start();
    emit portStateTextChanged(portClosedText());
    markStationNotAnswering();
    emit portLost(error);
}

void StationLink::retryLostPort()
{
    if (!m_portLost || m_closedForShutdown) {
        m_reopenTimer.stop();
        return;
    }
    if (!m_transport.open(m_devicePath, m_baudRate))
        return; // still gone; quietly again in a second
    m_portLost = false;
    m_reopenTimer.stop();
    m_writeFailing = false;
    m_assembler.reset();
    qCDebug(lcLink).noquote() << "port" << m_portName << "reopened after it was lost";
    emit portStateTextChanged(portOpenedText());
    // As say hello does: communication on, the hello, supervision running.
    sayHello();
}

void StationLink::markStationNotAnswering()
{
    m_panelStale = true;
    emit stationNotAnswering(notAnsweringText());
}

void StationLink::closeForShutdown()
{
    m_closedForShutdown = true;
    m_chekD.stop();
    m_reopenTimer.stop();
    m_portLost = false;
    hideStatusWindow();
    closePort();
}

// --- receive path and status decoder ------------------------------------------------------

void StationLink::receive(const QByteArray& bytes)
{
    // A caller handing more than one event's worth is treated as several events.
    for (qsizetype start = 0; start < bytes.size() || start == 0; start += MaxReceiveEvent) {
        m_tx.setAwaitingReply(false);
        const qsizetype n = qMin<qsizetype>(MaxReceiveEvent, bytes.size() - start);
        if (n <= 0)
            return;
        const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData()) + start;
        qCDebug(lcLink).noquote() << "rx" << bytes.mid(start, n).toHex(' ');
        const uint8_t first = data[0];
        m_assembler.beginEvent(m_clock.now());
        m_assembler.feed(data, int(n));
        // Only the first byte of an event can answer the hello.
        if (first == FrameTransmitter::HelloByte && m_statusWindowVisible) {
            m_helloAcknowledged = true;
            qCDebug(lcLink) << "hello answered";
            hideStatusWindow();
            emit helloAnswered(helloSuccessText());
            setCommunicationChecked(true);
        }
    }
}

void StationLink::onGoodFrame(const StationStatus& frame)
{
    m_statusImage = frame;
    decodeStatus(frame);
}

void StationLink::decodeStatus(const StationStatus& frame)
{
    if (!communicationOn())
        return;
    m_panel = decodePanelState(frame, m_language, m_units);
    m_panelStale = false;

    if (RecordingTarget* target = recordingTarget()) {
        target->setCelsius(frame.isCelsius());
        if (m_headerRefreshCount >= 1 && target->isActiveWindow()) {
            target->RefreshHeaderFromStation(m_statusImage);
            target->ShowHeader();
            ++m_headerRefreshCount;
        }
        if (m_headerRefreshCount >= 4)
            m_headerRefreshCount = 0;
    }
    emit panelStateDecoded(m_panel);
    runPendingAction();
}

void StationLink::runPendingAction()
{
    // Cleared before anything else runs: a refusal box may let further frames be decoded,
    // and they must not repeat the action.
    const PendingAction action = m_pendingAction;
    if (action == PendingAction::FinishFlowChange) {
        m_pendingAction = PendingAction::None;
        qCDebug(lcLink) << "finishing the flow change: sensor bit" << m_pendingSensorBit;
        if (RecordingTarget* target = recordingTarget()) {
            target->RefreshHeaderFromStation(m_statusImage);
            if (target->isActiveWindow())
                target->ShowHeader();
        }
        m_statusImage.setCommandBits(true, false, false);
        m_statusImage.setIrSensor(m_pendingSensorBit);
        SendCommand(m_statusImage);
        m_waits->blockingWait(300);
        m_lastCommandTick = m_clock.now();
        m_headerRefreshCount = 1;
    } else if (action == PendingAction::FinishBaudRateChange) {
        m_pendingAction = PendingAction::None;
        if (m_reopenPending)
            return;
        m_reopenPending = true;
        qCDebug(lcLink) << "the station answered at the new baud rate: reopen queued";
        QMetaObject::invokeMethod(this, &StationLink::handleReopenMessage, Qt::QueuedConnection);
        emit reopenRequested();
    }
}

void StationLink::handleReopenMessage()
{
    m_reopenPending = false;
    if (m_closedForShutdown)
        return;
    m_waits->blockingWait(100);
    m_waits->processPendingMessages();
    if (m_settingsProvider)
        ReopenPort(m_settingsProvider());
}

// --- communication, hello, supervision ---------------------------------------------------

void StationLink::setCommunicationChecked(bool on)
{
    if (m_tx.communicationOn() == on)
        return;
    m_tx.setCommunicationOn(on);
    emit communicationCheckedChanged(on);
}

void StationLink::startTimer()
{
    m_chekD.start();
}

void StationLink::toggleCommunication()
{
    const bool on = !communicationOn();
    setCommunicationChecked(on);
    if (on && !m_chekD.isActive()) {
        m_tx.setHelloCount(0);
        startTimer();
    }
}

void StationLink::sayHello()
{
    if (!communicationOn())
        toggleCommunication();
    m_tx.setHelloCount(0);
    startTimer();
    m_helloAcknowledged = false;
    if (m_statusWindowVisible)
        return;
    showStatusWindow();
    m_tx.SendHello();
    qCDebug(lcLink) << "hello sent (say hello)";
    m_lastHelloTick = m_clock.now();
}

void StationLink::showStatusWindow()
{
    m_statusWindowVisible = true;
    emit statusWindowShowRequested(sayingHelloText());
}

void StationLink::hideStatusWindow()
{
    if (!m_statusWindowVisible)
        return;
    m_statusWindowVisible = false;
    emit statusWindowHideRequested();
}

void StationLink::ResumeSupervision()
{
    m_supervisionPaused = false;
    // The reply timeout starts afresh.
    m_tx.setLastTransmitTick(m_clock.now());
}

void StationLink::sendHelloFromSupervision()
{
    m_tx.SendHello();
    qCDebug(lcLink) << "hello sent by supervision, count" << m_tx.helloCount();
    if (!m_statusWindowVisible)
        showStatusWindow();
    m_lastHelloTick = m_clock.now();
}

void StationLink::giveUp(bool fastRecovery)
{
    qCDebug(lcLink) << "gave up: the station is not answering"
                    << (fastRecovery ? "(after fast recovery)" : "(after the hellos)");
    m_chekD.stop();
    hideStatusWindow();
    if (communicationOn()) {
        setCommunicationChecked(false);
        if (m_recording) {
            m_recording = false;
            emit recordingUncheckedByGiveUp();
        }
        if (fastRecovery)
            m_helloAcknowledged = false;
    }
    if (fastRecovery)
        m_chekD.setInterval(NormalInterval);
    markStationNotAnswering();
    emit gaveUp();
}

uint32_t StationLink::samplingIntervalMs() const
{
    // Held, so an absurd interval from the settings file cannot overflow.
    const int ms = roundEven(double(m_samplingInterval) * 1000.0);
    return ms > 0 ? static_cast<uint32_t>(ms) : 0;
}

void StationLink::tick()
{
    if (m_supervisionPaused || m_closedForShutdown)
        return;
    const uint32_t now = m_clock.now();

    if (m_recording && m_tx.awaitingReply() && now - m_tx.lastTransmitTick() > RecoverySilenceMs) {
        if (m_chekD.interval() != RecoveryInterval)
            qCDebug(lcLink) << "no reply for" << (now - m_tx.lastTransmitTick()) << "ms while recording: fast recovery";
        m_chekD.setInterval(RecoveryInterval);
        m_tx.setHelloCount(0);
    }

    if (m_tx.awaitingReply() && m_chekD.interval() == RecoveryInterval) {
        if (m_tx.helloCount() < RecoveryHellosBeforeGivingUp)
            sendHelloFromSupervision();
        else
            giveUp(true);
        return;
    }

    if (m_chekD.interval() != NormalInterval)
        m_chekD.setInterval(NormalInterval);

    if (communicationOn() && m_tx.awaitingReply() && now - m_tx.lastTransmitTick() > SilenceMs) {
        if (m_helloAcknowledged)
            qCDebug(lcLink) << "no reply for" << (now - m_tx.lastTransmitTick()) << "ms: saying hello again";
        m_helloAcknowledged = false;
        m_tx.setHelloCount(0);
    }

    if (m_tx.awaitingReply() && !m_helloAcknowledged) {
        if (m_tx.helloCount() >= HellosBeforeGivingUp) {
            giveUp(false);
            return;
        }
        if (now - m_lastHelloTick > HelloSpacingMs)
            sendHelloFromSupervision();
    }

    if (!m_helloAcknowledged || m_tx.awaitingReply())
        return;

    if (communicationOn() && double(now - m_lastCommandTick) > double(m_samplingInterval) * 1000.0) {
        // A failed write abandons the rest of the tick; the next tick tries again.
        if (!SendFrame(m_commandBlock))
            return;
        m_lastCommandTick = now;
    }

    // Compared through the signed difference so the 32-bit wrap of the tick counter does
    // not set off a burst of samples.
    if (m_recording && static_cast<int32_t>(now - m_nextSampleTick) >= 0) {
        if (RecordingTarget* target = recordingTarget()) {
            target->TakeSample(m_statusImage);
            m_nextSampleTick += samplingIntervalMs();
        }
    }

    if (m_statusWindowVisible) {
        m_helloAcknowledged = true;
        hideStatusWindow();
    }
}

// --- texts -----------------------------------------------------------------------------

QString StationLink::sendCommandRefusedText()
{
    return QStringLiteral("你没有登录，不能对MCU操作！提示: 选择菜单\"通讯\"-->\"登录\"进行登录.");
}

QString StationLink::stationMissingText(Language language)
{
    return language == Language::English
               ? QStringLiteral("MCU don't exist!Please check the line of the MCU and power of the MCU.")
               : QStringLiteral("MCU不存在!请检查串口线和MCU的电源开关。");
}
