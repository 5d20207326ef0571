#pragma once

#include <QDialog>

#include "users/user_record.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The operator login that Begin asks for when it changes the station's profile while
// "Employee No." is on. A known employee logs in with the stored password; an employee
// number not yet in UserList.dat is added by its first login. A double click on the
// password field changes the password.
class TfrmLogon : public QDialog
{
    Q_OBJECT
public:
    // programDir holds UserList.dat; settingsFile is data/CommConfig.ini (CurrUser).
    TfrmLogon(const QString& programDir, const QString& settingsFile, QWidget* parent = nullptr);

    // Loads the user list and fills the drop-down list and, for CurrUser, the fields.
    // False (after a message naming the file) when UserList.dat cannot be read: the dialog
    // must not be shown then, or a save would replace the unread file.
    bool prepare();

    void setMessage(const QString& text);

    QString employeeNo() const; // as typed
    QString password() const;
    QString name() const;
    QString department() const;
    QString remark() const;

    QLabel* Label1; QLabel* Label2; QLabel* Label3; QLabel* Label4; QLabel* Label5;
    QLabel* Label6;          // the red "*"
    QLabel* Label7;          // message line
    QComboBox* ComboBox1;    // employee number
    QLineEdit* Edit1;        // password
    QLineEdit* Edit2;        // name
    QLineEdit* Edit3;        // department
    QLineEdit* Edit4;        // remark
    QPushButton* Button1;    // Ok
    QPushButton* Button2;    // Cancel

    void accept() override;
    // The password change of a double click on the password field.
    void changePassword();

protected:
    void changeEvent(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void retranslate();
    void showRecordOf(const QString& employeeNo);
    bool save();
    void message(const char* english, const char* chinese);

    QString m_programDir;
    QString m_settingsFile;
};
