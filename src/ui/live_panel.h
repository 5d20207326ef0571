#pragma once

#include <QFrame>
#include <QList>
#include <QPalette>

class QCheckBox;
class QLabel;
class QPushButton;

// The right-hand panel of the main window: the two temperatures with their units, the
// actuator indicators (disabled check boxes), flow, soldering or desoldering, and the
// Begin/Exit button. It only shows what it is given; the station decoder decides.
class LivePanel : public QFrame
{
    Q_OBJECT
public:
    explicit LivePanel(QWidget* parent = nullptr);

    // Sets the fixed texts (the labels beside the values) in the interface language.
    void retranslate();

    QLabel* labTc;
    QLabel* Label38;
    QLabel* Label40;
    QLabel* Label41;
    QLabel* Label2;
    QLabel* Label39;
    QCheckBox* CheckBox1;
    QCheckBox* CheckBox2;
    QCheckBox* CheckBox3;
    QCheckBox* CheckBox4;
    QCheckBox* CheckBox5;
    QCheckBox* CheckBox6;
    QCheckBox* CheckBox7;
    QCheckBox* CheckBox8;
    QLabel* Label7;
    QLabel* Label8;
    QLabel* Label12;
    QLabel* Label13;
    QPushButton* btnStart;

    // btnStart's tag: 1 shows "Begin", 0 shows "Exit".
    int startTag() const;
    void setStartButton(const QString& caption, int tag);

    // False once the station stopped answering: the values stay, greyed, so nobody takes
    // them for the station's present state; true again with the next status frame.
    void setValuesCurrent(bool current);
    bool valuesCurrent() const { return m_valuesCurrent; }

protected:
    void changeEvent(QEvent* e) override;

private:
    QList<QWidget*> valueWidgets() const;

    bool m_valuesCurrent = true;
    // The palettes of the value widgets as designed, restored when the values are current.
    QList<QPalette> m_currentPalettes;
};
