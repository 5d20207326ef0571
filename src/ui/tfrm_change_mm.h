#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The password window of the login dialog. Change mode asks a new password twice and
// accepts only two equal texts; first-use mode hides the new password field, turns its
// label into a note and accepts the confirmation unchecked.
class TfrmChangeMm : public QDialog
{
    Q_OBJECT
public:
    enum Mode { ChangeMode, FirstUseMode };
    explicit TfrmChangeMm(Mode mode, QWidget* parent = nullptr);

    QLabel* Label1;       // new password's label, or the first-use note
    QLabel* Label2;       // confirmation's label
    QLineEdit* Edit1;     // new password
    QLineEdit* Edit2;     // confirmation
    QPushButton* Button1; // Ok
    QPushButton* Button2; // Cancel

    QString newPassword() const;
    QString confirmation() const;

    void accept() override;

protected:
    void changeEvent(QEvent* e) override;

private:
    void retranslate();
    Mode m_mode;
};
