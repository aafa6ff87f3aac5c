// The fleet window by keyboard: Tab leaves the table, F6 and Ctrl+Tab move between the
// window's parts, the row's menu comes on a right click, the Menu key or Shift+F10, and each
// button's tooltip names its keys.

#include "fleet/fleet_filter.h"
#include "gui/fleet_window/fleet_window.h"

#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTableView>

namespace talvik {

namespace {
void addShortcut(QWidget* window, const QList<QKeySequence>& keys, const std::function<void()>& what)
{
    for (const QKeySequence& key : keys)
        QObject::connect(new QShortcut(key, window), &QShortcut::activated, window, what);
}

// "Перезавантажити на вибраних платах\nAlt+П": a button's tooltip with the keys that press it.
void showKeys(QAbstractButton* button, const QKeySequence& shortcut = {})
{
    QStringList keys;
    if (const QKeySequence mnemonic = QKeySequence::mnemonic(button->text()); !mnemonic.isEmpty())
        keys << mnemonic.toString(QKeySequence::NativeText);
    if (!shortcut.isEmpty())
        keys << shortcut.toString(QKeySequence::NativeText);
    const QString tip = button->toolTip();
    button->setToolTip((tip.isEmpty() ? QString() : tip + u'\n') + keys.join(QStringLiteral(", ")));
}
} // namespace

void FleetWindow::bindKeys()
{
    addShortcut(this, {QKeySequence(Qt::Key_F6), QKeySequence(Qt::CTRL | Qt::Key_Tab)},
                [this] { moveFocusRegion(1); });
    addShortcut(this,
                {QKeySequence(Qt::SHIFT | Qt::Key_F6), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
                 QKeySequence(Qt::CTRL | Qt::Key_Backtab)},
                [this] { moveFocusRegion(-1); });
    addShortcut(this, {QKeySequence::Find}, [this] {
        filter->setFocus(Qt::ShortcutFocusReason);
        filter->selectAll();
    });
    addShortcut(this, {QKeySequence(Qt::Key_F5)}, [this] {
        if (search->isEnabled())
            search->click();
    });
    addShortcut(this, {QKeySequence(Qt::Key_Escape)}, [this] {
        if (cancel->isEnabled())
            cancel->click();
    });
    for (QAbstractButton* b : findChildren<QAbstractButton*>())
        if (qobject_cast<QPushButton*>(b))
            showKeys(b, b == search   ? QKeySequence(Qt::Key_F5)
                        : b == cancel ? QKeySequence(Qt::Key_Escape)
                        : b == open   ? QKeySequence(Qt::Key_Return)
                                      : QKeySequence());
    buildRowMenu();
    table->installEventFilter(this);
    table->viewport()->installEventFilter(this);
}

// The actions that apply to the selected rows, as their buttons have them.
void FleetWindow::buildRowMenu()
{
    rowMenu_ = new QMenu(this);
    rowMenu_->setObjectName(QStringLiteral("rowMenu"));
    for (QPushButton* b :
         {open, reboot, changeFields, history, replaceBoard, compareReference, saveBackups}) {
        QAction* action = rowMenu_->addAction(b->text(), b, &QPushButton::click);
        action->setObjectName(b->objectName());
        action->setToolTip(b->toolTip());
    }
    connect(rowMenu_, &QMenu::aboutToShow, this, [this] {
        for (QAction* action : rowMenu_->actions())
            if (auto* b = findChild<QPushButton*>(action->objectName()))
                action->setEnabled(b->isEnabled());
    });
}

void FleetWindow::showRowMenu(const QPoint& at, bool fromKeyboard)
{
    QPoint where = at;
    if (fromKeyboard) { // under the current row, where the eyes are
        const QModelIndex current = table->currentIndex();
        where = current.isValid() ? table->visualRect(current).bottomLeft() : QPoint(0, 0);
    }
    else if (const QModelIndex under = table->indexAt(at);
             under.isValid() && !table->selectionModel()->isSelected(under)) {
        // A right click on a row outside the selection is about that row.
        table->selectionModel()->setCurrentIndex(under, QItemSelectionModel::ClearAndSelect |
                                                            QItemSelectionModel::Rows);
    }
    rowMenu_->popup(table->viewport()->mapToGlobal(where));
}

bool FleetWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != table && watched != table->viewport())
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::ContextMenu) {
        auto* menu = static_cast<QContextMenuEvent*>(event);
        const bool keyboard = menu->reason() == QContextMenuEvent::Keyboard;
        showRowMenu(keyboard ? QPoint()
                             : table->viewport()->mapFrom(static_cast<QWidget*>(watched), menu->pos()),
                    keyboard);
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier) {
            showRowMenu({}, true);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// The search, the filter, the table and the actions, in turn; each part's first control. A part
// with nothing to take the focus (no action applies yet) is passed over.
void FleetWindow::moveFocusRegion(int step)
{
    const QList<QWidget*> regions{surveyBox_, filterBox_, table, actionsBox_};
    const QWidget* focused = focusWidget();
    qsizetype at = -1;
    for (qsizetype i = 0; i < regions.size(); ++i)
        if (focused && (focused == regions[i] || regions[i]->isAncestorOf(focused)))
            at = i;
    for (qsizetype tried = 1; tried < regions.size(); ++tried) {
        const qsizetype next = (at + step * tried + regions.size() * 2) % regions.size();
        if (QWidget* target = focusTarget(regions[next]); target && target->isEnabled()) {
            target->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

QWidget* FleetWindow::focusTarget(QWidget* region) const
{
    if (region == surveyBox_)
        return fromList->isChecked()         ? static_cast<QWidget*>(list)
               : fromSite->isChecked()       ? static_cast<QWidget*>(site)
               : fromMyNetworks->isChecked() ? static_cast<QWidget*>(fromMyNetworks)
                                             : static_cast<QWidget*>(first);
    if (region == filterBox_)
        return filter;
    if (region == actionsBox_) {
        for (QPushButton* b : actionsBox_->findChildren<QPushButton*>())
            if (b->isEnabled())
                return b;
        return nullptr;
    }
    return region;
}

void FleetWindow::showShownCount()
{
    const int total = model_.rowCount();
    const QString text = tr("Показано %1 з %n плат", nullptr, total).arg(shown->rowCount());
    shownCount->setText(text);
    shownCount->setAccessibleName(text);
}

} // namespace talvik
