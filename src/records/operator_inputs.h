#pragma once

#include <QString>

// The inputs of the "Operator defined input" tab, as the record header takes them.
struct OperatorInputs
{
    QString operatorName;
    QString boardName;
    QString componentName;
    QString headline;
    int profileTypeIndex = 0; // 0 Soldering, 1 Desoldering
    int orientation = 0;      // 0..3
    int shutterX = 0;         // 0..8
    int shutterY = 0;         // 0..8
};

// Each input of the tab writes only its own header field.
enum class OperatorField {
    Operator,
    Board,
    Component,
    Headline,
    ProfileType,
    Orientation,
    ShutterX,
    ShutterY,
};
