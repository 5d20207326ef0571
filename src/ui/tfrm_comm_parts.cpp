// The windows put on the main window's frame and the steps they take in its life cycle.
// The station link's header stays out of this file: the profile headers bring a UnitTexts
// of their own.

#include "ui/tfrm_comm.h"

#include <QAction>
#include <QLabel>

#include "shell/password_settings.h"
#include "ui/live_panel.h"
#include "ui/profile_link_access.h"
#include "ui/profile_page.h"
#include "ui/tfrm_comm_actions.h"
#include "ui/tfrm_comm_begin_hooks.h"
#include "ui/translated_message_box.h"
#include "ui/ui_language.h"

void TfrmComm::installParts()
{
    // "Profiles/Parameters": the profile table and its preview.
    m_profilePage = new ProfilePage;
    setPageWidget(ProfilesPage, m_profilePage);
    m_profileAccess = std::make_shared<ProfileLinkAccess>(*m_link);
    m_profileAccess->listLocked = [this] { return m_parameterListLocked; };
    m_profileAccess->running = [this] { return m_livePanel->startTag() == 0; };
    m_profileAccess->flowLabel = [this] { return m_livePanel->Label8->text(); };
    m_profilePage->setStationAccess(m_profileAccess.get());

    connect(this, &TfrmComm::profileTableLoadRequested, m_profilePage,
            [this] { m_profilePage->loadTable(profileFilePaths()); });
    connect(this, &TfrmComm::profileTableSaveRequested, m_profilePage, [this] {
        QString error;
        if (!m_profilePage->saveTable(profileFilePaths(), m_programSettings.currentLc, &error))
            TranslatedMessageBox::error(this, error);
    });
    connect(this, &TfrmComm::languageSwitched, m_profilePage,
            [this](Language lang) { m_profilePage->applyLanguage(lang); });
    connect(m_actions->actnComunica, &QAction::changed, m_profilePage, [this] { m_profilePage->updateActionStates(); });
    m_profilePage->updateActionStates();

    installRecordWindows();
    installUsers();

    m_beginHooks->setQuickUpload([this] { return m_profilePage->table().rowCount(); },
                                 [this] { return quickUploadStep(); });
}

void TfrmComm::profilePageStartUp()
{
    // The page's unit texts are its own type; the link's come from the same settings.
    UnitTexts units;
    units.celsius = m_programSettings.celsiusText;
    units.fahrenheit = m_programSettings.fahrenheitText;
    m_profilePage->setUnitTexts(units);
    setParameterListLocked(!PasswordSettings().parameterPassword().isEmpty());
}

ProfileFilePaths TfrmComm::profileFilePaths() const
{
    ProfileFilePaths p;
    p.programDir = m_paths.programDir();
    p.savePath = m_programSettings.savePath;
    return p;
}

void TfrmComm::setParameterListLocked(bool locked)
{
    m_parameterListLocked = locked;
    m_profilePage->setParameterListLocked(locked);
}

bool TfrmComm::quickUploadStep()
{
    ProfilePage& page = *m_profilePage;
    const int selected = page.selectedRowIndex();
    const int current = m_programSettings.currentLc;
    if (selected != current) {
        // Which board the question names while no profile was sent yet (CurrentLc -1):
        // none, the quotes stay empty.
        const QString from = page.boardOfRowIndex(current);
        const QString to = page.boardOfRowIndex(selected);
        const QString question = (UiLanguage::instance().isEnglish() ? QStringLiteral("Are you sure to exit the board")
                                                                     : QStringLiteral("是否离开当前流程"))
            + QLatin1Char('"') + from + QLatin1Char('"') + QLatin1Char('?');
        OperatorLogin login;
        if (m_programSettings.changePcbMode && m_boardChangeLogin) {
            if (!m_boardChangeLogin(question, &login))
                return false;
            m_programSettings.userCode = login.employeeNumber;
        } else if (!TranslatedMessageBox::confirm(this, question)) {
            return false;
        }
        if (m_boardChangeRecorder && !m_boardChangeRecorder(login, from, to))
            return false;
        emit boardChangeConfirmed(login, from, to);
    }
    page.writeSelectedRowToStation();
    m_programSettings.currentLc = selected;
    return true;
}
