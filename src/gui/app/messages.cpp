#include "gui/app/messages.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace talvik {

void DialogMessages::message(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::translate("Configurator", "Конфігуратор V-8.5"),
                    text, QMessageBox::Ok, parent_);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void DialogMessages::error(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, QCoreApplication::translate("Configurator", "Конфігуратор V-8.5"),
                    text, QMessageBox::Ok, parent_);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace talvik
