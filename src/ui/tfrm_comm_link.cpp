// The station link as the main window shows and drives it.

#include "ui/tfrm_comm.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>

#include "link/serial_settings.h"
#include "link/station_link.h"
#include "shell/settings.h"
#include "ui/live_panel.h"
#include "ui/tfrm_comm_actions.h"
#include "ui/tfrm_comm_begin_hooks.h"
#include "ui/tfrm_msg.h"
#include "ui/tfrm_set_com.h"
#include "ui/translated_message_box.h"
#include "ui/ui_language.h"

void TfrmComm::wireLink()
{
    StationLink& link = *m_link;
    TfrmCommActions& a = *m_actions;

    link.setRecordingTargetProvider([this] { return m_recordingTarget; });
    link.setSerialSettingsProvider([this] { return readSerialSettings(); });
    link.setEnglish(UiLanguage::instance().isEnglish());

    connect(&link, &StationLink::panelStateDecoded, this, &TfrmComm::showPanelState);
    connect(&link, &StationLink::helloAnswered, this, [this](const QString& text) { setStatusPanelText(0, text); });
    connect(&link, &StationLink::statusWindowShowRequested, this, [this](const QString& text) {
        if (!m_statusWindow)
            return;
        m_statusWindow->setText(text);
        m_statusWindow->showCentredOver(this);
    });
    connect(&link, &StationLink::statusWindowHideRequested, this, [this] {
        if (m_statusWindow)
            m_statusWindow->hide();
    });
    connect(&link, &StationLink::crcErrorTextChanged, this, [this](const QString& text) { setStatusPanelText(3, text); });
    connect(&link, &StationLink::portStateTextChanged, this, [this](const QString& text) { setStatusPanelText(2, text); });
    // Once the close has been accepted nothing of the link reaches the operator.
    connect(&link, &StationLink::portOpenFailed, this, [this](const QString& text) {
        if (!m_closeAccepted)
            TranslatedMessageBox::error(this, text);
    });
    connect(&link, &StationLink::portLost, this, &TfrmComm::onPortLost);
    connect(&link, &StationLink::writeFailed, this, [this](const QString& error) {
        if (!m_closeAccepted)
            TranslatedMessageBox::error(this, error);
    });
    connect(&link, &StationLink::commandError, this, [this](const QString& text) {
        if (!m_closeAccepted)
            TranslatedMessageBox::error(this, text);
    });
    connect(&link, &StationLink::sendCommandRefused, this, [this](const QString& text) {
        if (!m_closeAccepted)
            TranslatedMessageBox::information(this, text);
    });
    connect(&link, &StationLink::stationNotAnswering, this, [this](const QString& text) {
        setStatusPanelText(0, text);
        m_livePanel->setValuesCurrent(false);
    });
    connect(&link, &StationLink::beginRefusedNoStatus, this, [this] {
        // The upload's and the download's refusal, in their words.
        TranslatedMessageBox::warning(this, QCoreApplication::translate(
            "ProfilePage", "The MCU has not answered yet. Please wait until communication is established."));
    });
    connect(&link, &StationLink::gaveUp, this, &TfrmComm::onGaveUp);
    connect(&link, &StationLink::communicationCheckedChanged, this, [this](bool checked) {
        m_actions->actnComunica->setChecked(checked);
        updateLinkActionStates();
    });
    connect(&link, &StationLink::recordingUncheckedByGiveUp, this, [this] { m_actions->actnRecord->setChecked(false); });

    connect(a.actnComunica, &QAction::triggered, this, &TfrmComm::onCommunicationTriggered);
    connect(a.actnSayHello, &QAction::triggered, this, &TfrmComm::sayHello);
    connect(a.N2, &QAction::triggered, this, &TfrmComm::comPortSetting);
    // The link reads the recording switch from actnRecord, whoever sets it.
    connect(a.actnRecord, &QAction::toggled, this, [this](bool on) {
        m_link->setRecording(on);
        updateLinkActionStates();
    });
    connect(m_livePanel->btnStart, &QPushButton::clicked, this,
            [this] { m_link->Begin(m_livePanel->startTag(), m_beginHooks.get()); });
    updateLinkActionStates();
}

void TfrmComm::showPanelState(const PanelState& s)
{
    LivePanel& p = *m_livePanel;
    p.labTc->setText(s.labTc);
    p.Label40->setText(s.Label40);
    QCheckBox* boxes[8] = {p.CheckBox1, p.CheckBox2, p.CheckBox3, p.CheckBox4,
                           p.CheckBox5, p.CheckBox6, p.CheckBox7, p.CheckBox8};
    for (int i = 0; i < 8; ++i)
        boxes[i]->setChecked(s.checkBox[size_t(i)]);
    p.Label13->setText(s.Label13);
    p.setStartButton(s.btnStartCaption, s.btnStartTag);
    p.Label38->setText(s.Label38);
    p.Label41->setText(s.Label41);
    p.Label8->setText(s.Label8);
    p.setValuesCurrent(true);
}

void TfrmComm::onCommunicationTriggered()
{
    // QAction has already flipped its check mark; the link's switch is the authority.
    m_link->toggleCommunication();
    m_actions->actnComunica->setChecked(m_link->communicationOn());
    updateLinkActionStates();
}

void TfrmComm::sayHello()
{
    m_link->sayHello();
    m_actions->actnComunica->setChecked(m_link->communicationOn());
    updateLinkActionStates();
}

void TfrmComm::updateLinkActionStates()
{
    // Say hello only while communication is off (the action is invisible, so only the
    // program runs it); the switch only while not recording.
    m_actions->actnSayHello->setEnabled(!m_link->communicationOn());
    m_actions->actnComunica->setEnabled(!m_actions->actnRecord->isChecked());
}

void TfrmComm::onPortLost(const QString& error)
{
    updateLinkActionStates();
    if (m_closeAccepted)
        return;
    // One message, naming the port; the link reopens it by itself when it is back.
    const QString device = m_link->devicePath();
    QString port = m_link->portName();
    if (!device.isEmpty() && device.compare(port, Qt::CaseInsensitive) != 0)
        port += QStringLiteral(" (") + QDir::toNativeSeparators(device) + QLatin1Char(')');
    TranslatedMessageBox::error(
        this, tr("The serial port %1 has gone away: %2\nThe program reconnects as soon as the port is back.")
                  .arg(port, error));
}

void TfrmComm::onGaveUp()
{
    updateLinkActionStates();
    if (m_closeAccepted)
        return;
    TranslatedMessageBox::information(this, StationLink::stationMissingText(UiLanguage::instance().isEnglish()));
    comPortSetting();
}

SerialSettings TfrmComm::readSerialSettings() const
{
    const Settings settings(m_paths);
    SerialSettings s;
    s.CommPort = settings.commPort();
    s.BAUTRATE = settings.bautrate();
    s.intrals = float(settings.intrals());
    s.ChangePCBMode = settings.changePcbMode();
    s.language = settings.language();
    s.devicePath = settings.portDevice(s.CommPort);
    return s;
}

void TfrmComm::comPortSetting()
{
    TfrmSetCOM dialog(m_paths.settingsFile(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_link->comPortSettingAccepted(dialog.baudChoice(), readSerialSettings());
    // ReopenPort re-read these.
    m_programSettings.samplingInterval = m_link->samplingInterval();
    m_programSettings.changePcbMode = m_link->ChangePCBMode();
}

// --- language ---------------------------------------------------------------------------

Language TfrmComm::language() const
{
    return UiLanguage::instance().current();
}

void TfrmComm::switchLanguage(Language lang)
{
    if (!UiLanguage::instance().apply(lang))
        TranslatedMessageBox::error(this, QStringLiteral("The Chinese texts could not be loaded."));
    const Language now = UiLanguage::instance().current();
    // Texts that do not come from the tables: set even when the language stays.
    retranslateUi();
    m_actions->actnEnglish->setChecked(now == Language::English);
    m_actions->actnChinese->setChecked(now == Language::Chinese);
    m_link->setEnglish(now == Language::English);
    emit languageSwitched(now);
}
