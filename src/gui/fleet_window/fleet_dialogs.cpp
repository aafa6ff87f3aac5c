#include "gui/fleet_window/fleet_dialogs.h"

#include "fleet/fleet_texts.h"
#include "gui/app/texts.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

namespace talvik {

bool SystemDialogs::confirm(QWidget* parent, const QString& question, const QString& action)
{
    QMessageBox box(QMessageBox::Question, texts::ApplicationTitle(), question, QMessageBox::NoButton,
                    parent);
    box.setTextFormat(Qt::PlainText);
    QPushButton* yes = box.addButton(action, QMessageBox::AcceptRole);
    box.setDefaultButton(box.addButton(fleet::texts::Cancel(), QMessageBox::RejectRole));
    box.exec();
    return box.clickedButton() == yes;
}

int SystemDialogs::choose(QWidget* parent, const QString& question, const QStringList& actions, int preferred)
{
    QMessageBox box(QMessageBox::Question, texts::ApplicationTitle(), question, QMessageBox::NoButton,
                    parent);
    box.setTextFormat(Qt::PlainText);
    QList<QAbstractButton*> buttons;
    for (const QString& action : actions)
        buttons.append(box.addButton(action, QMessageBox::AcceptRole));
    QPushButton* cancel = box.addButton(fleet::texts::Cancel(), QMessageBox::RejectRole);
    box.setEscapeButton(cancel);
    box.setDefaultButton(preferred >= 0 && preferred < buttons.size()
                             ? qobject_cast<QPushButton*>(buttons[preferred])
                             : cancel);
    box.exec();
    return int(buttons.indexOf(box.clickedButton()));
}

// As the configurator's messages.
void SystemDialogs::message(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, texts::ApplicationTitle(), text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

QString SystemDialogs::folder(QWidget* parent, const QString& title)
{
    return QFileDialog::getExistingDirectory(parent, title);
}

QStringList SystemDialogs::openFiles(QWidget* parent, const QString& title, const QString& filter)
{
    return QFileDialog::getOpenFileNames(parent, title, {}, filter);
}

QString SystemDialogs::openFile(QWidget* parent, const QString& title, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, title, {}, filter);
}

// A name typed without a suffix gets the chosen type's ("Таблиця CSV (*.csv)": ".csv").
QString SystemDialogs::saveFile(QWidget* parent, const QString& title, const QString& filter)
{
    QString chosen;
    QString path = QFileDialog::getSaveFileName(parent, title, {}, filter, &chosen);
    const QRegularExpressionMatch suffix = QRegularExpression(QStringLiteral("\\*(\\.\\w+)")).match(chosen);
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty() && suffix.hasMatch())
        path += suffix.captured(1);
    return path;
}

QString SystemDialogs::text(QWidget* parent, const QString& title, const QString& label)
{
    return QInputDialog::getText(parent, title, label);
}

} // namespace talvik
