#include "ui/translated_message_box.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

void plainBox(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.button(QMessageBox::Ok)->setText(QCoreApplication::translate("TranslatedMessageBox", "OK"));
    box.exec();
}

} // namespace

namespace TranslatedMessageBox {

void information(QWidget* parent, const QString& text)
{
    plainBox(parent, QMessageBox::Information, QCoreApplication::translate("TranslatedMessageBox", "Information"), text);
}

void warning(QWidget* parent, const QString& text)
{
    plainBox(parent, QMessageBox::Warning, QCoreApplication::translate("TranslatedMessageBox", "Warning"), text);
}

void error(QWidget* parent, const QString& text)
{
    plainBox(parent, QMessageBox::Critical, QCoreApplication::translate("TranslatedMessageBox", "Error"), text);
}

bool confirm(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Question, QCoreApplication::translate("TranslatedMessageBox", "Confirm"), text, QMessageBox::Yes | QMessageBox::No, parent);
    box.button(QMessageBox::Yes)->setText(QCoreApplication::translate("TranslatedMessageBox", "&Yes"));
    box.button(QMessageBox::No)->setText(QCoreApplication::translate("TranslatedMessageBox", "&No"));
    return box.exec() == QMessageBox::Yes;
}

} // namespace TranslatedMessageBox
