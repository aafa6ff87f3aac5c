#include "gui/fleet_window/write_preview_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace talvik {

WritePreviewDialog::WritePreviewDialog(const QString& title, const QString& headingText, QWidget* parent)
    : QDialog(parent), headingText_(headingText)
{
    setObjectName(QStringLiteral("writePreview"));
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    heading = new QLabel(headingText);
    heading->setObjectName(QStringLiteral("heading"));
    heading->setWordWrap(true);
    layout->addWidget(heading);
    table = new WritePreview;
    layout->addWidget(table, 1);
    auto* buttons = new QHBoxLayout;
    write = new QPushButton(tr("&Записати"));
    write->setObjectName(QStringLiteral("write"));
    write->setEnabled(false);
    auto* close = new QPushButton(tr("За&крити"));
    close->setObjectName(QStringLiteral("close"));
    buttons->addStretch(1);
    buttons->addWidget(write);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(write, &QPushButton::clicked, this, &WritePreviewDialog::writeWanted);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    resize(760, 480);
}

void WritePreviewDialog::showReading()
{
    heading->setText(headingText_ + u'\n' + tr("Читаю постійну пам'ять плат…"));
    heading->setAccessibleName(heading->text());
    write->setEnabled(false);
}

void WritePreviewDialog::showPlanned(const QList<BoardResult>& planned)
{
    heading->setText(headingText_);
    heading->setAccessibleName(headingText_);
    table->showPlanned(planned);
    write->setEnabled(table->writesAnything());
    if (write->isEnabled())
        write->setFocus();
}

} // namespace talvik
