#pragma once

#include <QColor>
#include <QWidget>

#include "records/header_display.h"
#include "records/operator_inputs.h"
#include "records/record_header.h"

class ProfilePaintBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

// The tab page "Operator defined input": the operator's inputs, which write straight into
// the active record window's header, the record's date, the group "Actual IR Parameter"
// and the mini chart DBufPaintBox3. ShowHeader and DrawMiniProfile fill it.
class OperatorInputPanel : public QWidget
{
    Q_OBJECT
public:
    explicit OperatorInputPanel(QWidget* parent = nullptr);

    OperatorInputs inputs() const;
    // ShowHeader: the inputs, the date and the parameter labels; the labels are red until
    // the record is saved or loaded. Setting the inputs writes nothing back.
    void showHeader(const HeaderDisplay& display);
    // DrawMiniProfile into DBufPaintBox3, then presented.
    void drawMiniProfile(const RecordHeader& header, const QString& unitText);

    ProfilePaintBox* miniProfileBox() const { return m_box; }
    QLineEdit* Edit1 = nullptr; // component
    QLineEdit* Edit2 = nullptr; // board
    QLineEdit* Edit3 = nullptr; // operator
    QLineEdit* Edit4 = nullptr; // Headline
    QComboBox* ComboBox1 = nullptr; // profile type
    QComboBox* ComboBox2 = nullptr; // Orientation
    QComboBox* ComboBox3 = nullptr; // ShutterX
    QComboBox* ComboBox4 = nullptr; // ShutterY
    QLabel* dateValue = nullptr;
    QGroupBox* parameterGroup = nullptr;

signals:
    // The operator changed one input; the record windows write it into the active header.
    void fieldEdited(OperatorField field);

protected:
    void changeEvent(QEvent* e) override;

private:
    void retranslateUi();
    void setLabelColour(const QColor& colour);

    QLabel* m_dateLabel = nullptr;
    QLabel* m_operatorLabel = nullptr;
    QLabel* m_boardLabel = nullptr;
    QLabel* m_componentLabel = nullptr;
    QLabel* m_typeLabel = nullptr;
    QLabel* m_orientationLabel = nullptr;
    QLabel* m_shutterXLabel = nullptr;
    QLabel* m_shutterYLabel = nullptr;
    QLabel* m_headlineLabel = nullptr;
    // Flow, sensor, T1, T2, T3, TL, S1, S2, S3, T0, TB.
    QList<QLabel*> m_parameterLabels;
    ProfilePaintBox* m_box = nullptr;
};
