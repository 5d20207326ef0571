// The options command: the options dialog, then the chosen flow and sensor at the station
// and the run-time settings.

#include "ui/tfrm_comm.h"

#include <QAction>
#include <QCoreApplication>

#include "link/option_command.h"
#include "link/station_link.h"
#include "shell/option_settings.h"
#include "ui/live_panel.h"
#include "ui/operation_record_export.h"
#include "ui/profile_import.h"
#include "ui/tfrm_comm_actions.h"
#include "ui/tfrm_process_window.h"
#include "ui/tfrm_setting.h"
#include "ui/translated_message_box.h"

void TfrmComm::options()
{
    TfrmSetting dialog(m_paths.settingsFile(), this);
    TfrmSetting::StationView view;
    const StationStatus& image = m_link->statusImage();
    view.irSensor = image.isIrSensor();
    view.communicationOn = m_actions->actnComunica->isChecked();
    view.flow = image.flow();
    view.samplingInterval = m_link->samplingInterval();
    view.running = m_livePanel->startTag() == 0;
    view.recording = m_actions->actnRecord->isChecked();
    dialog.fill(view);

    bool imported = false;
    connect(&dialog, &TfrmSetting::importRequested, &dialog, [&] {
        if (!ImportParameters(&dialog, profileFilePaths()))
            return;
        imported = true;
        dialog.reject();
    });
    connect(&dialog, &TfrmSetting::exportRequested, &dialog,
            [&] { exportOperationRecord(&dialog, m_paths, language()); });
    connect(&dialog, &TfrmSetting::processWindowRequested, &dialog,
            [&] { TfrmProcessWindow::edit(&dialog, m_paths.settingsFile(), m_programSettings.celsiusText); });

    const int result = dialog.exec();
    if (imported) {
        // The imported table is loaded at the next start; nothing else of the dialog applies.
        closeAfterParameterImport();
        return;
    }
    if (result != QDialog::Accepted)
        return;

    applyOptionsToStation(*m_link, dialog.flowChosen(), dialog.irChosen());
    const QString intervalText = dialog.intervalText();
    const std::optional<float> interval = OptionSettings::samplingIntervalFromText(intervalText);
    if (!interval) {
        // No interval chosen: the file holds an empty intrals now, the run-time values stay.
        TranslatedMessageBox::error(this, QCoreApplication::translate("OptionsCommand",
                                                                      "'%1' is not a valid floating point value")
                                              .arg(intervalText));
        return;
    }
    m_link->setSamplingInterval(*interval);
    m_programSettings.samplingInterval = *interval;
    m_link->setChangePCBMode(dialog.changePcbModeChosen());
    m_programSettings.changePcbMode = dialog.changePcbModeChosen();
    // As shown: without the separator OK may have added to the stored value.
    m_programSettings.savePath = dialog.savePathText();
}
