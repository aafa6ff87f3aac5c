#include "gui/fleet_window/fleet_dialogs.h"

#include "gui/fleet_window/fleet_window.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

namespace talvik {

namespace {
// Titled as the fleet window, whichever of its dialogs asks.
QString titleFor(QWidget* parent)
{
    for (QWidget* w = parent; w; w = w->parentWidget())
        if (qobject_cast<FleetWindow*>(w))
            return w->windowTitle();
    return parent ? parent->window()->windowTitle() : QString();
}
} // namespace

bool SystemDialogs::confirm(QWidget* parent, const QString& question, const QString& action)
{
    QMessageBox box(QMessageBox::Question, titleFor(parent), question, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    QPushButton* yes = box.addButton(action, QMessageBox::AcceptRole);
    box.setDefaultButton(box.addButton(QMessageBox::Cancel));
    box.exec();
    return box.clickedButton() == yes;
}

int SystemDialogs::choose(QWidget* parent, const QString& question, const QStringList& actions, int preferred)
{
    QMessageBox box(QMessageBox::Question, titleFor(parent), question, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    QList<QAbstractButton*> buttons;
    for (const QString& action : actions)
        buttons.append(box.addButton(action, QMessageBox::AcceptRole));
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
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
    QMessageBox box(QMessageBox::NoIcon, titleFor(parent), text, QMessageBox::Ok, parent);
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

QString SystemDialogs::text(QWidget* parent, const QString& title, const QString& label,
                            const QString& initial)
{
    return QInputDialog::getText(parent, title, label, QLineEdit::Normal, initial);
}

QString SystemDialogs::lines(QWidget* parent, const QString& title, const QString& label,
                             const QString& initial)
{
    return QInputDialog::getMultiLineText(parent, title, label, initial);
}

} // namespace talvik
