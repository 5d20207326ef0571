// The protection passwords, the operator login and the operation log on the main window.

#include "ui/tfrm_comm.h"

#include <QAction>

#include "link/station_link.h"
#include "ui/protection_commands.h"
#include "ui/tfrm_comm_actions.h"
#include "ui/tfrm_logon.h"
#include "ui/translated_message_box.h"
#include "ui/users_messages.h"
#include "users/operation_log.h"

void TfrmComm::installUsers()
{
    auto loginPassword = [this] { ProtectionCommands::loginPasswordCommand(this, *m_link); };
    connect(m_actions->actnIRProtect, &QAction::triggered, this, loginPassword);
    connect(this, &TfrmComm::firstStartLoginRequested, this, loginPassword);
    connect(m_actions->actnParamProtect, &QAction::triggered, this, [this] {
        if (ProtectionCommands::parameterPasswordCommand(this, m_parameterListLocked))
            setParameterListLocked(false);
    });

    setBoardChangeLogin([this](const QString& question, OperatorLogin* login) {
        TfrmLogon dialog(m_paths.programDir(), m_paths.settingsFile(), this);
        if (!dialog.prepare())
            return false;
        dialog.setMessage(question);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        *login = OperatorLogin{dialog.employeeNo(), dialog.name(), dialog.department(), dialog.remark()};
        return true;
    });
    setBoardChangeRecorder([this](const OperatorLogin& login, const QString& from, const QString& to) {
        UsersFileError error;
        const OperationTexts texts{login.employeeNumber, login.name, login.department, login.remark, from, to};
        if (AppendOperationRecord(operationLogFile(m_paths.programDir()), texts, &error))
            return true;
        // An unrecorded change of board is not made.
        TranslatedMessageBox::error(this, UsersMessages::fileError(error));
        return false;
    });
}
