#pragma once

#include <functional>

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The options dialog: sensor, flow, sampling interval, the save path for the extra copy of
// the profile table and the login-on-profile-change check box, plus the parameter import
// and the operation record export. It reads ChangePCBMode and savePath when it is created;
// the main window fills the rest (fill); OK writes ChangePCBMode, intrals and savePath
// before the dialog closes. The options command applies the result afterwards.
class TfrmSetting : public QDialog
{
    Q_OBJECT
public:
    // settingsFile: data/CommConfig.ini of the program directory.
    explicit TfrmSetting(const QString& settingsFile, QWidget* parent = nullptr);

    QLabel* Label1;       // sensor
    QComboBox* ComboBox1; // 0 = thermocouple, 1 = IR
    QLabel* Label2;       // flow
    QComboBox* ComboBox2; // "0" .. "9", the index is the flow
    QLabel* Label3;       // sampling interval
    QComboBox* ComboBox3; // "0.5" .. "5" seconds
    QLabel* Label4;       // save path
    QLineEdit* Edit1;     // read-only; set by the chooser
    QPushButton* Button3; // "...": the directory chooser
    QCheckBox* CheckBox1; // ChangePCBMode
    QPushButton* Button4; // "Import parameters"
    QPushButton* Button5; // "Export operation record"
    QPushButton* Button6; // "Process window..." (the limits of the process figures)
    QPushButton* Button1; // OK
    QPushButton* Button2; // Cancel

    // What the main window knows when it opens the dialog.
    struct StationView
    {
        bool irSensor = false;        // SettingFlags bit 1 of StatusImage
        bool communicationOn = false; // actnComunica checked
        int flow = 0;                 // Flow of StatusImage
        float samplingInterval = 1.0f;
        bool running = false;         // btnStart shows "Exit"
        bool recording = false;       // actnRecord checked
    };
    void fill(const StationView& view);

    bool irChosen() const;
    int flowChosen() const;           // -1 when none is selected
    QString intervalText() const;     // empty when none is selected
    QString savePathText() const;
    bool changePcbModeChosen() const;

    // The directory chooser behind "..."; returns the chosen directory, empty on cancel.
    // The system's chooser unless replaced (tests).
    using DirectoryChooser = std::function<QString(QWidget* parent, const QString& start)>;
    void setDirectoryChooser(DirectoryChooser chooser) { m_chooser = std::move(chooser); }

    // Writes the settings; a failed write is reported naming the file and keeps the
    // dialog open.
    void accept() override;

signals:
    void importRequested();
    void exportRequested();
    void processWindowRequested();

protected:
    void changeEvent(QEvent* e) override;

private:
    void retranslate();
    void chooseSavePath();

    QString m_settingsFile;
    DirectoryChooser m_chooser;
};
