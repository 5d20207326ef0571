#pragma once

#include <QImage>
#include <QString>

#include "records/record_header.h"

// The small chart of a record's profile on the "Operator defined input" tab, drawn into
// the paint box's image (design size 242 x 135).
void DrawMiniProfile(QImage& image, const RecordHeader& header, const QString& unitText);
