#pragma once

#include <QString>

class ProfileTable;
class QImage;

// The curve values of a profile row, read as 32-bit floats.
struct PreviewCurve
{
    float T1 = 0;
    float S1 = 0;
    float T2 = 0;
    float S2 = 0;
    float T3 = 0;
    float S3 = 0;
};

// Draws the chart frame and the heating curve into the whole of `image`: rise from 30
// degrees, T1 to T2 over S1, the rise to T3 over S2, the hold for S3 and the cooling.
void drawProfilePreview(QImage& image, const PreviewCurve& curve, const QString& unitText);

// PreviewProfile for DataRow `dataRow` of the table (empty or non-numeric cells count as 0).
void PreviewProfile(QImage& image, const ProfileTable& table, int dataRow);

// The empty frame shown until a profile is drawn: unit "℃", top label "20".
void drawPreviewStartupFrame(QImage& image);
