// The commands StationLink sends on the operator's behalf, recording start, and the
// command block file.

#include <cstring>

#include <QDir>
#include <QFile>

#include "link/begin_hooks.h"
#include "link/recording_target.h"
#include "link/station_link.h"
#include "shell/save_file.h"

bool StationLink::SendFrame(const StationStatus& image)
{
    const bool sent = m_tx.SendFrame(image);
    if (sent)
        m_writeFailing = false;
    return sent;
}

bool StationLink::SendCommand(StationStatus& image)
{
    if (!m_stationUnlocked) {
        emit sendCommandRefused(sendCommandRefusedText());
        return false;
    }
    image.setWriteRequest(true);
    return SendFrame(image);
}

// --- recording --------------------------------------------------------------------------

void StationLink::markCommandBlockForRecording()
{
    m_commandBlock.setByte(0, StationStatus::LeadByte);
    m_commandBlock.setByte(1, 0);
    m_commandBlock.setByte(2, 0);
}

void StationLink::recordingSwitchedOn()
{
    m_recording = true;
    if (!communicationOn())
        toggleCommunication();
    m_nextSampleTick = m_clock.now() + samplingIntervalMs();
    markCommandBlockForRecording();
    m_headerRefreshCount = 1;
    if (!m_chekD.isActive()) {
        m_tx.setHelloCount(0);
        startTimer();
    }
}

// --- Begin / Exit -----------------------------------------------------------------------

void StationLink::Begin(int tag, BeginHooks* hooks)
{
    if (tag == 0) {
        doExit();
        return;
    }
    if (tag != 1)
        return;
    // Before the first status frame StatusImage is all zeros: sent as it is, it would start
    // the station with a frame whose lead byte is 0x00.
    if (!statusReceived()) {
        emit beginRefusedNoStatus();
        return;
    }
    // A second click on Begin while its waits let events run would start the process twice.
    if (m_beginRunning)
        return;
    m_beginRunning = true;
    PauseSupervision();
    doBegin(hooks);
    m_beginRunning = false;
    ResumeSupervision();
}

void StationLink::doBegin(BeginHooks* hooks)
{
    if (hooks && hooks->quickUploadWanted()) {
        for (int i = 0; i < 5; ++i)
            m_waits->processMessagesThenWait(50);
        if (!hooks->quickUpload())
            return;
    }
    if (hooks && recordingTarget())
        hooks->recordingStep(m_recording);
    for (int i = 0; i < 10; ++i)
        m_waits->processMessagesThenWait(50);
    m_statusImage.setCommandBits(true, true, false);
    SendCommand(m_statusImage);
    m_lastCommandTick = m_clock.now();
    for (int i = 0; i < 5; ++i)
        m_waits->processMessagesThenWait(50);
}

void StationLink::doExit()
{
    m_statusImage.setCommandBits(true, false, true);
    m_waits->blockingWait(200);
    SendCommand(m_statusImage);
    m_lastCommandTick = m_clock.now();
}

// --- COM port setting -------------------------------------------------------------------

void StationLink::comPortSettingAccepted(const QString& baudChoice, const SerialSettings& settings)
{
    if (!m_helloAcknowledged) {
        ReopenPort(settings);
        return;
    }
    bool ok = false;
    const int baud = baudChoice.trimmed().toInt(&ok);
    if (!ok || baud <= 0) {
        emit commandError(QStringLiteral("'%1' is not a valid integer value").arg(baudChoice));
        return;
    }
    // The station learns the new rate first, at the old rate; the port follows once the
    // station has answered (the decoder queues the reopen).
    m_statusImage.setCommandBits(true, false, false);
    m_statusImage.setBaudRate(static_cast<uint16_t>(baud));
    const bool sent = SendCommand(m_statusImage);
    m_lastCommandTick = m_clock.now();
    // A refused or failed send leaves the station at the old rate, so the port stays too.
    if (sent)
        m_pendingAction = PendingAction::FinishBaudRateChange;
}

void StationLink::finishFlowChangeOnNextStatus(bool irSensor)
{
    m_pendingSensorBit = irSensor;
    m_pendingAction = PendingAction::FinishFlowChange;
}

// --- data/stru.ssf ------------------------------------------------------------------------

bool StationLink::loadCommandBlocks(const QString& path, QString* error)
{
    m_commandBlock = StationStatus();
    m_spareCommandBlock = StationStatus();
    bool ok = true;
    QFile file(path);
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly)) {
            ok = false;
            if (error)
                *error = QDir::toNativeSeparators(path) + QStringLiteral(": ") + file.errorString();
        } else {
            const QByteArray bytes = file.read(CommandBlockFileSize);
            if (bytes.size() < CommandBlockFileSize) {
                // A damaged file: both images start from zeros like a missing one.
                ok = false;
                if (error)
                    *error = QDir::toNativeSeparators(path)
                             + QStringLiteral(": read error, the file holds %1 bytes instead of %2")
                                   .arg(bytes.size())
                                   .arg(CommandBlockFileSize);
            } else {
                std::memcpy(m_commandBlock.data(), bytes.constData(), StationStatus::FrameSize);
                std::memcpy(m_spareCommandBlock.data(), bytes.constData() + StationStatus::FrameSize,
                            StationStatus::FrameSize);
            }
        }
    }
    m_commandBlock.setByte(0, StationStatus::LeadByte);
    m_spareCommandBlock.setByte(0, StationStatus::LeadByte);
    m_commandBlock.setWriteRequest(false);
    m_spareCommandBlock.setWriteRequest(true);
    const uint16_t baud = m_baudRate == 19200 ? 19200 : 9600;
    m_commandBlock.setBaudRate(baud);
    m_spareCommandBlock.setBaudRate(baud);
    return ok;
}

bool StationLink::storeCommandBlocks(const QString& path, QString* error) const
{
    QByteArray bytes(reinterpret_cast<const char*>(m_commandBlock.data()), StationStatus::FrameSize);
    bytes.append(reinterpret_cast<const char*>(m_spareCommandBlock.data()), StationStatus::FrameSize);
    QString why;
    if (SaveFile::writeWhole(path, bytes, &why))
        return true;
    if (error)
        *error = QDir::toNativeSeparators(path) + QStringLiteral(": ") + why;
    return false;
}
