#pragma once

#include <array>

#include <QDialog>

#include "shell/process_window.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The process window dialog: the liquidus, the soak band and a minimum and a maximum for
// every judged figure, all in degrees Celsius, degrees Celsius per second and seconds. An
// empty field is no limit. It reads section [ProcessWindow] of data/CommConfig.ini when it
// is created and writes it on OK; a value that is no number, or a window that cannot be
// used, keeps the dialog open with a message and writes nothing.
class TfrmProcessWindow : public QDialog
{
    Q_OBJECT
public:
    // settingsFile: data/CommConfig.ini of the program directory. celsiusText: the unit as
    // the English interface shows it (the settings' Celsius text).
    explicit TfrmProcessWindow(const QString& settingsFile, const QString& celsiusText = QStringLiteral("\u00B0C"),
                               QWidget* parent = nullptr);

    // The command: the dialog shown modally, destroyed afterwards. True when OK wrote the
    // window.
    static bool edit(QWidget* parent, const QString& settingsFile, const QString& celsiusText);

    QLineEdit* liquidusEdit = nullptr;
    QLineEdit* soakLowEdit = nullptr;
    QLineEdit* soakHighEdit = nullptr;
    std::array<QLineEdit*, ProcessFigureCount> minEdits{};
    std::array<QLineEdit*, ProcessFigureCount> maxEdits{};

    // The window as the fields show it; false with the field's name in *error when a field
    // holds something that is no number (an empty limit field is no limit).
    bool windowFromFields(ProcessWindow* window, QString* error) const;

    void accept() override;

protected:
    void changeEvent(QEvent* e) override;

private:
    void retranslate();
    void showWindow(const ProcessWindow& w);
    QString unitText(FigureKind kind) const;

    QString m_settingsFile;
    QString m_celsiusText;
    QGroupBox* m_bandGroup = nullptr;
    QGroupBox* m_limitGroup = nullptr;
    QLabel* m_liquidusLabel = nullptr;
    QLabel* m_soakLabel = nullptr;
    QLabel* m_soakUnit = nullptr;
    QLabel* m_liquidusUnit = nullptr;
    QLabel* m_minHeading = nullptr;
    QLabel* m_maxHeading = nullptr;
    QLabel* m_hint = nullptr;
    std::array<QLabel*, ProcessFigureCount> m_figureLabels{};
    std::array<QLabel*, ProcessFigureCount> m_unitLabels{};
    QPushButton* m_defaults = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};
