#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTimer;

// A band that alternates between two colours while it runs and stands still otherwise.
class FlashColor : public QWidget
{
    Q_OBJECT
public:
    explicit FlashColor(QWidget* parent = nullptr);

    void setColors(const QColor& first, const QColor& second);
    void start();
    void stop();
    bool isRunning() const;
    // How far the second colour has swept across the band, 0..1.
    qreal phase() const { return m_phase; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QColor m_first = Qt::darkBlue;
    QColor m_second = Qt::white;
    qreal m_phase = 0;
    QTimer* m_timer;
};

// The about box: the icon, the program's name and version and the colour strip. It closes
// only through its button: no title-bar buttons, and Escape is ignored.
class Tabout : public QDialog
{
    Q_OBJECT
public:
    explicit Tabout(QWidget* parent = nullptr);

    FlashColor* strip() const { return m_strip; }
    QString versionText() const;

    // Shows the box modally over `owner` in the interface's language.
    static void showAbout(QWidget* owner);

public slots:
    void reject() override;

protected:
    void changeEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool event(QEvent* e) override;

private:
    void retranslate();
    void closeBox();

    QLabel* m_icon;
    QLabel* m_name;
    QLabel* m_version;
    FlashColor* m_strip;
    QPushButton* m_close;
    bool m_closing = false;
};
