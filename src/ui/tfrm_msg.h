#pragma once

#include <QWidget>

class QLabel;
class BusyIndicator;

// The status window shown while the program greets the station: borderless, always on top,
// centred over the main window, one text line and a small busy animation. Its text is the
// same in both languages, so it has nothing to retranslate.
class Tfrmmsg : public QWidget
{
    Q_OBJECT
public:
    explicit Tfrmmsg(QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);

    // Centres the window over `over` (or the screen when null) and shows it.
    void showCentredOver(QWidget* over);

private:
    QLabel* m_label;
    BusyIndicator* m_busy;
};
