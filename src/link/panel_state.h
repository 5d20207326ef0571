#pragma once

#include <array>

#include <QMetaType>
#include <QString>

// What one decoded status frame puts on the live panel. Field names are the controls'.
struct PanelState
{
    QString labTc;   // Tc in decimal
    QString Label40; // Tb in decimal
    // CheckBox1 .. CheckBox8 at index 0 .. 7
    std::array<bool, 8> checkBox{};
    QString Label13; // soldering or desoldering
    QString btnStartCaption;
    int btnStartTag = 1; // 1 = Begin, 0 = Exit
    QString Label38; // unit beside labTc
    QString Label41; // unit beside Label40
    QString Label8;  // flow number

    bool checkBoxChecked(int n) const { return checkBox[static_cast<size_t>(n - 1)]; }
    bool operator==(const PanelState& o) const
    {
        return labTc == o.labTc && Label40 == o.Label40 && checkBox == o.checkBox && Label13 == o.Label13
            && btnStartCaption == o.btnStartCaption && btnStartTag == o.btnStartTag && Label38 == o.Label38
            && Label41 == o.Label41 && Label8 == o.Label8;
    }
    bool operator!=(const PanelState& o) const { return !(*this == o); }
};

Q_DECLARE_METATYPE(PanelState)
