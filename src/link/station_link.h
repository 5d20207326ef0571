#pragma once

#include <cstdint>
#include <functional>

#include <QObject>
#include <QString>
#include <QTimer>

#include "link/clock.h"
#include "link/frame_assembler.h"
#include "link/frame_transmitter.h"
#include "link/link_waits.h"
#include "link/panel_state.h"
#include "link/port_transport.h"
#include "link/serial_settings.h"
#include "link/station_status.h"
#include "link/status_decoder.h"

class BeginHooks;
class RecordingTarget;

// The station link of the main window: receive path, status decoder, supervision timer
// chekD, command block and the commands sent to the station. It owns no widget; the main
// window shows what the signals tell and reports back the states it owns (language,
// recording, status window) through the setters.
class StationLink : public QObject
{
    Q_OBJECT
public:
    using RecordingTargetProvider = std::function<RecordingTarget*()>;
    using SerialSettingsProvider = std::function<SerialSettings()>;

    static constexpr int NormalInterval = 60;   // ms, chekD
    static constexpr int RecoveryInterval = 20; // ms, chekD in fast recovery

    // The transport and the clock must outlive the link; the link installs itself as the
    // transport's receive and lost handler.
    StationLink(PortTransport& transport, const Clock& clock, QObject* parent = nullptr);
    ~StationLink() override;

    // --- wiring -----------------------------------------------------------------------
    void setRecordingTargetProvider(RecordingTargetProvider p) { m_targetProvider = std::move(p); }
    // Read when a queued reopen runs (after a baud-rate change).
    void setSerialSettingsProvider(SerialSettingsProvider p) { m_settingsProvider = std::move(p); }
    // Defaults to EventLoopWaits; the object must outlive the link.
    void setWaits(LinkWaits* waits);
    LinkWaits& waits() const { return *m_waits; }

    // --- states the main window owns ----------------------------------------------------
    // English when the active language is English; texts of the next decoded frame follow.
    void setEnglish(bool english) { m_english = english; }
    bool english() const { return m_english; }
    void setUnitTexts(const UnitTexts& t) { m_units = t; }
    const UnitTexts& unitTexts() const { return m_units; }
    // The checked state of actnRecord.
    void setRecording(bool on) { m_recording = on; }
    bool recording() const { return m_recording; }
    bool statusWindowVisible() const { return m_statusWindowVisible; }
    // StationUnlocked of the protection passwords; true until a password says otherwise.
    void setStationUnlocked(bool on) { m_stationUnlocked = on; }
    bool stationUnlocked() const { return m_stationUnlocked; }

    // --- start-up ---------------------------------------------------------------------
    // Assembler reset, HelloAcknowledged, PendingAction, HelloCount, LastCommandTick,
    // LastHelloTick and HeaderRefreshCount as at start-up (not the port, not the blocks).
    void resetForStartup();

    // --- port -------------------------------------------------------------------------
    // Closes the port when open, takes SamplingInterval, ChangePCBMode, the port name and
    // the baud rate from the settings and opens the port; a failure emits portOpenFailed.
    bool ReopenPort(const SerialSettings& settings);
    void closePort();
    bool portOpen() const { return m_transport.isOpen(); }
    QString portName() const { return m_portName; }
    // The device the port name stands for (a path outside Windows).
    QString devicePath() const { return m_devicePath; }
    // The port was closed because its device went away; until it opens again (the
    // background reopen, ReopenPort) the link tries to reopen it every ReopenRetryMs.
    bool portLostState() const { return m_portLost; }
    static constexpr int ReopenRetryMs = 1000;
    // One try of the background reopen (reopenTimer runs it): opened, the link says hello.
    void retryLostPort();
    const QTimer& reopenTimer() const { return m_reopenTimer; }
    // The main window's close was accepted: supervision, the background reopen and any
    // queued reopen end, and the port is closed. Nothing of the link reaches the operator
    // any more.
    void closeForShutdown();
    bool closedForShutdown() const { return m_closedForShutdown; }
    int baudRate() const { return m_baudRate; }
    // Login on profile change; read by ReopenPort, set by the options dialog.
    bool ChangePCBMode() const { return m_changePcbMode; }
    void setChangePCBMode(bool on) { m_changePcbMode = on; }
    // "Unable to open port com" + n (language 0) or "不能打开串口" + n.
    static QString portOpenErrorText(int commPort, int language);

    // --- receive path -----------------------------------------------------------------
    // One receive event of the port (at most 1024 bytes).
    void receive(const QByteArray& bytes);

    // --- communication and hello ---------------------------------------------------------
    // actnComunica executed: inverts the switch; switched on with chekD stopped, HelloCount
    // := 0 and chekD starts. Switching off leaves the timer running.
    void toggleCommunication();
    bool communicationOn() const { return m_tx.communicationOn(); }
    // actnSayHello executed.
    void sayHello();

    // --- supervision ------------------------------------------------------------------
    void tick();
    // Supervision gave up or the port was lost: the live panel's values are no longer the
    // station's, until the next status frame is decoded.
    bool panelStale() const { return m_panelStale; }
    void PauseSupervision() { m_supervisionPaused = true; }
    void ResumeSupervision();
    bool supervisionPaused() const { return m_supervisionPaused; }
    const QTimer& chekD() const { return m_chekD; }
    bool timerActive() const { return m_chekD.isActive(); }
    int timerInterval() const { return m_chekD.interval(); }

    // --- recording --------------------------------------------------------------------
    // actnRecord switched on: recording flag, communication on, NextSampleTick one interval
    // ahead, CommandBlock marked, HeaderRefreshCount := 1, chekD started when stopped.
    void recordingSwitchedOn();
    // Byte 0 := 255, bytes 1 and 2 := 0.
    void markCommandBlockForRecording();

    // --- commands ---------------------------------------------------------------------
    // The guarded send: refused (sendCommandRefused) while the station is locked; otherwise
    // sets the write-request bit in the image and sends it. True when it went out.
    bool SendCommand(StationStatus& image);
    // Unguarded; the image is not changed. True unless communication is off or the write failed.
    bool SendFrame(const StationStatus& image);
    // btnStart clicked with its tag: 1 = Begin, 0 = Exit. hooks may be null (no quick
    // upload, no recording step).
    void Begin(int tag, BeginHooks* hooks);
    // The COM port setting command after its dialog closed with OK. baudChoice is the text
    // of the chosen baud-rate item (empty when none). Link not alive: ReopenPort(settings).
    // Alive: the new rate goes to the station first, the reopen follows its answer.
    void comPortSettingAccepted(const QString& baudChoice, const SerialSettings& settings);

    // --- command block file (data/stru.ssf) ------------------------------------------------
    // Missing file: both images from zeros. Then the start-up rules (byte 0, write-request
    // bit, BaudRate from the port). False with *error naming the file when the file is
    // shorter than 100 bytes or cannot be read; the start-up rules are applied all the same.
    bool loadCommandBlocks(const QString& path, QString* error = nullptr);
    // Both images, 100 bytes, through a save file. False with the platform's text in *error.
    bool storeCommandBlocks(const QString& path, QString* error = nullptr) const;
    static constexpr int CommandBlockFileSize = 2 * StationStatus::FrameSize;

    // --- link state -------------------------------------------------------------------
    StationStatus& statusImage() { return m_statusImage; }
    const StationStatus& statusImage() const { return m_statusImage; }
    StationStatus& commandBlock() { return m_commandBlock; }
    const StationStatus& commandBlock() const { return m_commandBlock; }
    StationStatus& spareCommandBlock() { return m_spareCommandBlock; }
    const StationStatus& spareCommandBlock() const { return m_spareCommandBlock; }
    const FrameAssembler& assembler() const { return m_assembler; }
    // A status frame with a correct checksum has arrived since the program started (before
    // that StatusImage is all zeros and no command can be built from it).
    bool statusReceived() const { return m_statusImage.byte(0) == StationStatus::LeadByte; }
    FrameTransmitter& transmitter() { return m_tx; }

    bool helloAcknowledged() const { return m_helloAcknowledged; }
    void setHelloAcknowledged(bool on) { m_helloAcknowledged = on; }
    bool awaitingReply() const { return m_tx.awaitingReply(); }
    uint8_t helloCount() const { return m_tx.helloCount(); }
    uint32_t lastTransmitTick() const { return m_tx.lastTransmitTick(); }
    uint32_t lastHelloTick() const { return m_lastHelloTick; }
    uint32_t lastCommandTick() const { return m_lastCommandTick; }
    void setLastCommandTick(uint32_t t) { m_lastCommandTick = t; }
    // LastCommandTick := now
    void touchLastCommandTick() { m_lastCommandTick = m_clock.now(); }
    uint32_t nextSampleTick() const { return m_nextSampleTick; }
    void setNextSampleTick(uint32_t t) { m_nextSampleTick = t; }
    float samplingInterval() const { return m_samplingInterval; }
    void setSamplingInterval(float seconds) { m_samplingInterval = seconds; }
    // Round(SamplingInterval x 1000), halves to even.
    uint32_t samplingIntervalMs() const;
    // 0 none, 1 finish a flow change, 2 reopen the port.
    uint8_t pendingAction() const { return m_pendingAction; }
    void setPendingAction(uint8_t a) { m_pendingAction = a; }
    // SettingFlags bit 1 the flow change's second step sends (true = IR).
    bool pendingSensorBit() const { return m_pendingSensorBit; }
    void setPendingSensorBit(bool ir) { m_pendingSensorBit = ir; }
    uint8_t headerRefreshCount() const { return m_headerRefreshCount; }
    void setHeaderRefreshCount(uint8_t n) { m_headerRefreshCount = n; }
    bool reopenPending() const { return m_reopenPending; }
    const PanelState& panelState() const { return m_panel; }
    RecordingTarget* recordingTarget() const { return m_targetProvider ? m_targetProvider() : nullptr; }

    // --- texts ------------------------------------------------------------------------
    static QString helloSuccessText() { return QStringLiteral("hello success!"); }
    // Replaces helloSuccessText in the first status-bar panel once the station is gone.
    static QString notAnsweringText() { return QStringLiteral("MCU not answering"); }
    static QString sayingHelloText() { return QStringLiteral("saying hello to MCU"); }
    static QString portOpenedText() { return QStringLiteral("com opened"); }
    static QString portClosedText() { return QStringLiteral("com closed"); }
    // The refusal of SendCommand; there is no English text.
    static QString sendCommandRefusedText();
    static QString stationMissingText(bool english);

signals:
    // A status frame was decoded with communication on; the live panel shows it.
    void panelStateDecoded(const PanelState& state);
    // The station answered the hello: the first status-bar panel shows the text.
    void helloAnswered(const QString& text);
    void statusWindowShowRequested(const QString& text);
    void statusWindowHideRequested();
    // Fourth status-bar panel.
    void crcErrorTextChanged(const QString& text);
    // Third status-bar panel: "com opened" / "com closed".
    void portStateTextChanged(const QString& text);
    // ReopenPort could not open the port: an error box with this text.
    void portOpenFailed(const QString& text);
    // The open port went away (device unplugged); it is closed now, and the link reopens it
    // in the background. `error` is the platform's text; portName() and devicePath() say
    // which port.
    void portLost(const QString& error);
    // Supervision gave up or the port was lost: the first panel shows `text` and the live
    // panel's values are shown as no longer current until panelStateDecoded.
    void stationNotAnswering(const QString& text);
    // Begin was clicked before the station's first status frame: nothing was sent.
    void beginRefusedNoStatus();
    // Supervision gave up: show stationMissingText in the active language, then run the
    // COM port setting command. Emitted after the unchecks below.
    void gaveUp();
    // The checked state of actnComunica changed without its handler running.
    void communicationCheckedChanged(bool checked);
    // Giving up cleared actnRecord's checked state (its handler does not run).
    void recordingUncheckedByGiveUp();
    // SendCommand refused while the station is locked: a box with the text.
    void sendCommandRefused(const QString& text);
    // A write failed: the platform's error text. Reported once until a write succeeds again.
    void writeFailed(const QString& error);
    // A command could not be built, e.g. no baud rate chosen: an error box with the text.
    void commandError(const QString& text);
    // The deferred baud-rate change queued its reopen.
    void reopenRequested();

private:
    void onGoodFrame(const StationStatus& frame);
    void decodeStatus(const StationStatus& frame);
    void runPendingAction();
    void handleReopenMessage();
    void onPortLost(const QString& error);
    void markStationNotAnswering();
    void showStatusWindow();
    void hideStatusWindow();
    void setCommunicationChecked(bool on);
    void giveUp(bool fastRecovery);
    void sendHelloFromSupervision();
    void doBegin(BeginHooks* hooks);
    void doExit();
    void startTimer();

    PortTransport& m_transport;
    const Clock& m_clock;
    LinkWaits* m_waits;
    FrameAssembler m_assembler;
    FrameTransmitter m_tx;
    QTimer m_chekD;
    QTimer m_reopenTimer;

    StationStatus m_statusImage;
    StationStatus m_commandBlock;
    StationStatus m_spareCommandBlock;
    PanelState m_panel;

    bool m_helloAcknowledged = false;
    bool m_supervisionPaused = false;
    uint32_t m_lastHelloTick = 0;
    uint32_t m_lastCommandTick = 0;
    uint32_t m_nextSampleTick = 0;
    float m_samplingInterval = 1.0f;
    uint8_t m_pendingAction = 0;
    bool m_pendingSensorBit = false;
    uint8_t m_headerRefreshCount = 1;
    bool m_stationUnlocked = true;

    bool m_english = false;
    UnitTexts m_units;
    bool m_recording = false;
    bool m_statusWindowVisible = false;
    bool m_changePcbMode = false;
    QString m_portName = QStringLiteral("COM1");
    QString m_devicePath;
    bool m_portLost = false;
    bool m_closedForShutdown = false;
    bool m_panelStale = false;
    int m_baudRate = 19200;
    bool m_reopenPending = false;
    bool m_writeFailing = false;
    bool m_beginRunning = false;

    RecordingTargetProvider m_targetProvider;
    SerialSettingsProvider m_settingsProvider;
};
