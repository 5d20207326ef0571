#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The layout the two protection password windows share: a first password field, a
// confirmation field with its label, a note, an action button and "cancel". Set mode shows
// both fields prefilled with the stored password and refuses two different texts; login
// mode shows the first field only, empty, and refuses anything but the stored password.
class ProtectionPasswordDialog : public QDialog
{
    Q_OBJECT
public:
    enum Mode { SetMode, LoginMode };

    Mode mode() const { return m_mode; }
    QString password() const; // the first field

    QLabel* Label1;     // first field's label
    QLabel* Label2;     // confirmation field's label
    QLabel* Label3;     // note
    QLineEdit* Edit1;   // password
    QLineEdit* Edit2;   // confirmation
    QPushButton* Button1; // action
    QPushButton* Button2; // cancel

    void accept() override;

protected:
    ProtectionPasswordDialog(Mode mode, const QString& stored, QWidget* parent);
    void changeEvent(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    // Window caption, labels, note and buttons in the subclass's own words.
    virtual void retranslate() = 0;
    // Chinese login-mode caption differs between the two windows.
    virtual QString loginModeAction() const = 0;
    void finishConstruction();

private:
    Mode m_mode;
    QString m_stored;
};

// "IR protection": the login password, which locks station commands at the next start.
class TfrmIRPassSet : public ProtectionPasswordDialog
{
    Q_OBJECT
public:
    // SetMode while StationUnlocked, LoginMode otherwise; `stored` is IRpaswd.ini's Login.
    TfrmIRPassSet(Mode mode, const QString& stored, QWidget* parent = nullptr);

protected:
    void retranslate() override;
    QString loginModeAction() const override;
};

// "Parameter protection...": the parameter password, which makes the profile table read-only.
class TfrmParameterpass : public ProtectionPasswordDialog
{
    Q_OBJECT
public:
    // SetMode while the list is unlocked, LoginMode (unlock) while ParameterListLocked.
    TfrmParameterpass(Mode mode, const QString& stored, QWidget* parent = nullptr);

protected:
    void retranslate() override;
    QString loginModeAction() const override;
};
