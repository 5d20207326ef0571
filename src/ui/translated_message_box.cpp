#include "ui/translated_message_box.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("TranslatedMessageBox", text);
}

void plainBox(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.button(QMessageBox::Ok)->setText(tr("OK"));
    box.exec();
}

} // namespace

namespace TranslatedMessageBox {

void information(QWidget* parent, const QString& text)
{
    plainBox(parent, QMessageBox::Information, tr("Information"), text);
}

void warning(QWidget* parent, const QString& text)
{
    plainBox(parent, QMessageBox::Warning, tr("Warning"), text);
}

void error(QWidget* parent, const QString& text)
{
    plainBox(parent, QMessageBox::Critical, tr("Error"), text);
}

bool confirm(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Question, tr("Confirm"), text, QMessageBox::Yes | QMessageBox::No, parent);
    box.button(QMessageBox::Yes)->setText(tr("&Yes"));
    box.button(QMessageBox::No)->setText(tr("&No"));
    return box.exec() == QMessageBox::Yes;
}

} // namespace TranslatedMessageBox
