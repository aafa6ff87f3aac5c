#include "gui/fleet_window/replace_dialog.h"

#include "board/untrusted_text.h"
#include "wire/board_address.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace talvik {

ReplaceDialog::ReplaceDialog(BoardAddress board, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("replaceBoard"));
    setWindowTitle(tr("Замінити плату %1").arg(dottedText(board)));
    auto* layout = new QVBoxLayout(this);
    auto* hint = new QLabel(tr("Копію старої плати буде записано в нову (вибрану) плату. Стара плата не "
                               "повинна відповідати на своїй адресі."));
    hint->setObjectName(QStringLiteral("hint"));
    hint->setWordWrap(true);
    layout->addWidget(hint);
    auto* fileRow = new QHBoxLayout;
    chooseBackup = new QPushButton(tr("&Файл копії…"));
    chooseBackup->setObjectName(QStringLiteral("chooseBackup"));
    backupFile = new QLabel(tr("(копію не вибрано)"));
    backupFile->setObjectName(QStringLiteral("backupFile"));
    backupFile->setAccessibleName(tr("(копію не вибрано)"));
    fileRow->addWidget(chooseBackup);
    fileRow->addWidget(backupFile, 1);
    layout->addLayout(fileRow);
    takeMac = new QCheckBox(tr("Взяти &MAC старої плати"));
    takeMac->setObjectName(QStringLiteral("takeMac"));
    layout->addWidget(takeMac);
    auto* buttons = new QHBoxLayout;
    replace = new QPushButton(tr("&Замінити"));
    replace->setObjectName(QStringLiteral("replace"));
    replace->setEnabled(false);
    auto* close = new QPushButton(tr("За&крити"));
    close->setObjectName(QStringLiteral("close"));
    buttons->addStretch(1);
    buttons->addWidget(replace);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(chooseBackup, &QPushButton::clicked, this, &ReplaceDialog::backupWanted);
    connect(replace, &QPushButton::clicked, this, &ReplaceDialog::replaceWanted);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    // Wide enough for the title beside a title bar's icon and buttons, and for the hint in
    // two lines; the file chosen later is shortened to fit, never widening it.
    backupFile->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    const QFontMetrics metrics(font());
    constexpr int TitleBar = 160, Margins = 60;
    const int width = std::min(
        MostWidth,
        std::max(metrics.horizontalAdvance(windowTitle()) + TitleBar,
                 metrics.horizontalAdvance(tr("Копію старої плати буде записано в нову (вибрану) плату. "
                                              "Стара плата не повинна відповідати на своїй адресі.")) /
                         2 +
                     Margins));
    resize(width, layout->totalHeightForWidth(width));
}

void ReplaceDialog::setBackup(const QString& path, const BoardConfig& backup)
{
    backup_ = backup;
    const QString text =
        QStringLiteral("%1 (%2, IP %3)")
            .arg(quoted(path, 200), dottedText(backup.address), dottedText(backup.fields.ip));
    backupFile->setText(backupFile->fontMetrics().elidedText(text, Qt::ElideMiddle, backupFile->width()));
    backupFile->setToolTip(text);
    backupFile->setAccessibleName(text);
    replace->setEnabled(true);
}

} // namespace talvik
