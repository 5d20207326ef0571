#pragma once

#include <functional>

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

// Answers the modal windows the program opens while a test runs, the way an operator
// would: message boxes are confirmed, other dialogs go to `onDialog` (rejected when none
// is set). What was shown is kept in `seen`: a box's text, or a dialog's objectName.
class ModalWatcher : public QObject
{
public:
    explicit ModalWatcher(QObject* parent = nullptr) : QObject(parent)
    {
        m_timer.setInterval(10);
        connect(&m_timer, &QTimer::timeout, this, &ModalWatcher::poll);
        m_timer.start();
    }

    // Return true when the dialog was dealt with (accepted or rejected).
    std::function<bool(QDialog*)> onDialog;
    // Which button a message box gets; Yes/OK when unset.
    QMessageBox::StandardButton boxAnswer = QMessageBox::NoButton;
    QStringList seen;

private:
    void poll()
    {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || !w->isVisible())
            return;
        if (auto* box = qobject_cast<QMessageBox*>(w)) {
            seen << box->text();
            QAbstractButton* b = boxAnswer != QMessageBox::NoButton ? box->button(boxAnswer) : nullptr;
            if (!b)
                b = box->button(QMessageBox::Yes) ? box->button(QMessageBox::Yes) : box->button(QMessageBox::Ok);
            if (b)
                b->click();
            else
                box->reject();
            return;
        }
        if (auto* dialog = qobject_cast<QDialog*>(w)) {
            seen << dialog->objectName();
            if (!onDialog || !onDialog(dialog))
                dialog->reject();
        }
    }

    QTimer m_timer;
};
