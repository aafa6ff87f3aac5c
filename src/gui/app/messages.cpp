#include "gui/app/messages.h"

#include "gui/app/texts.h"

#include <QMessageBox>

namespace talvik {

void DialogMessages::message(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, texts::ApplicationTitle(), text, QMessageBox::Ok, parent_);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void DialogMessages::error(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, texts::ApplicationTitle(), text, QMessageBox::Ok, parent_);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace talvik
