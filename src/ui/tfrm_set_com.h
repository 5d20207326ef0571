#pragma once

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

// The COM port dialog: port COM1..COM16 and baud rate 9600/19200. It reads "Comm"/"CommPort"
// and "Comm"/"BAUTRATE" when it is created and writes both on OK, before it closes; the
// COM port setting command acts on the result afterwards.
class TfrmSetCOM : public QDialog
{
    Q_OBJECT
public:
    // settingsFile: data/CommConfig.ini of the program directory.
    explicit TfrmSetCOM(const QString& settingsFile, QWidget* parent = nullptr);

    QComboBox* ComboBox1; // port
    QComboBox* ComboBox2; // baud rate

    // The text of the chosen baud-rate item ("9600", "19200"), empty when none is chosen.
    QString baudChoice() const;

    void accept() override;

protected:
    void changeEvent(QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void retranslate();

    QString m_settingsFile;
    QGroupBox* m_group;
    QLabel* m_portLabel;
    QLabel* m_baudLabel;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};
