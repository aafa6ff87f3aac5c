#include "widget_tree.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>
#include <QStyleFactory>
#include <QTableView>
#include <QToolButton>
#include <functional>

namespace bench {

namespace {
// The Qt classes a window of ours is made of; a control of our own is described as the
// first of these it derives from. Those marked whole make their inner widgets themselves.
struct Kind {
    const char* name;
    bool whole;
    std::function<QWidget*()> make;
};

const std::vector<Kind>& kinds()
{
    static const std::vector<Kind> all{
        {"QPushButton", true, [] { return new QPushButton; }},
        {"QToolButton", true, [] { return new QToolButton; }},
        {"QCheckBox", true, [] { return new QCheckBox; }},
        {"QRadioButton", true, [] { return new QRadioButton; }},
        {"QLineEdit", true, [] { return new QLineEdit; }},
        {"QSpinBox", true, [] { return new QSpinBox; }},
        {"QComboBox", true, [] { return new QComboBox; }},
        {"QPlainTextEdit", true, [] { return new QPlainTextEdit; }},
        {"QTableView", true, [] { return new QTableView; }},
        {"QProgressBar", true, [] { return new QProgressBar; }},
        {"QLabel", true, [] { return new QLabel; }},
        {"QGroupBox", false, [] { return new QGroupBox; }},
        {"QFrame", false, [] { return new QFrame; }},
        {"QWidget", false, [] { return new QWidget; }},
    };
    return all;
}

const Kind& kindOf(const QWidget& w)
{
    for (const QMetaObject* m = w.metaObject(); m; m = m->superClass())
        for (const Kind& k : kinds())
            if (qstrcmp(m->className(), k.name) == 0)
                return k;
    return kinds().back();
}

QJsonArray pair(int a, int b)
{
    return QJsonArray{a, b};
}

QJsonObject describeLayout(const QLayout& layout, const QList<QWidget*>& children);

QJsonObject describeItem(QLayoutItem* item, const QList<QWidget*>& children)
{
    QJsonObject o;
    if (item->widget())
        o.insert(QStringLiteral("widget"), int(children.indexOf(item->widget())));
    else if (item->layout())
        o.insert(QStringLiteral("layout"), describeLayout(*item->layout(), children));
    else if (QSpacerItem* s = item->spacerItem())
        o.insert(QStringLiteral("spacer"),
                 QJsonArray{s->sizeHint().width(), s->sizeHint().height(),
                            int(s->sizePolicy().horizontalPolicy()), int(s->sizePolicy().verticalPolicy())});
    o.insert(QStringLiteral("alignment"), int(item->alignment()));
    return o;
}

QJsonObject describeLayout(const QLayout& layout, const QList<QWidget*>& children)
{
    QJsonObject o;
    const QMargins m = layout.contentsMargins();
    o.insert(QStringLiteral("margins"), QJsonArray{m.left(), m.top(), m.right(), m.bottom()});
    o.insert(QStringLiteral("spacing"), layout.spacing());
    o.insert(QStringLiteral("constraint"), int(layout.sizeConstraint()));
    QJsonArray items;
    if (const auto* grid = qobject_cast<const QGridLayout*>(&layout)) {
        o.insert(QStringLiteral("type"), QStringLiteral("grid"));
        o.insert(QStringLiteral("gaps"), pair(grid->horizontalSpacing(), grid->verticalSpacing()));
        for (int i = 0; i < grid->count(); ++i) {
            int row = 0, column = 0, rows = 0, columns = 0;
            grid->getItemPosition(i, &row, &column, &rows, &columns);
            QJsonObject item = describeItem(grid->itemAt(i), children);
            item.insert(QStringLiteral("cell"), QJsonArray{row, column, rows, columns});
            items.append(item);
        }
        QJsonArray stretches;
        for (int c = 0; c < grid->columnCount(); ++c)
            stretches.append(grid->columnStretch(c));
        o.insert(QStringLiteral("columnStretch"), stretches);
    }
    else if (const auto* box = qobject_cast<const QBoxLayout*>(&layout)) {
        o.insert(QStringLiteral("type"), QStringLiteral("box"));
        o.insert(QStringLiteral("direction"), int(box->direction()));
        for (int i = 0; i < box->count(); ++i) {
            QJsonObject item = describeItem(box->itemAt(i), children);
            item.insert(QStringLiteral("stretch"), box->stretch(i));
            items.append(item);
        }
    }
    o.insert(QStringLiteral("items"), items);
    return o;
}

QList<QWidget*> childWidgets(const QWidget& w)
{
    QList<QWidget*> out;
    for (QObject* child : w.children())
        if (child->isWidgetType() && !static_cast<QWidget*>(child)->isWindow())
            out.append(static_cast<QWidget*>(child));
    return out;
}

QJsonObject describeWidget(const QWidget& w)
{
    const Kind& kind = kindOf(w);
    QJsonObject o;
    o.insert(QStringLiteral("class"), QLatin1String(kind.name));
    if (const auto* label = qobject_cast<const QLabel*>(&w)) {
        o.insert(QStringLiteral("text"), label->text());
        o.insert(QStringLiteral("alignment"), int(label->alignment()));
    }
    else if (const auto* button = qobject_cast<const QAbstractButton*>(&w)) {
        o.insert(QStringLiteral("text"), button->text());
        o.insert(QStringLiteral("checked"), button->isChecked());
    }
    else if (const auto* edit = qobject_cast<const QLineEdit*>(&w)) {
        o.insert(QStringLiteral("text"), edit->text());
        o.insert(QStringLiteral("placeholder"), edit->placeholderText());
        o.insert(QStringLiteral("alignment"), int(edit->alignment()));
        o.insert(QStringLiteral("hasFrame"), edit->hasFrame());
        o.insert(QStringLiteral("readOnly"), edit->isReadOnly());
    }
    else if (const auto* group = qobject_cast<const QGroupBox*>(&w)) {
        o.insert(QStringLiteral("text"), group->title());
        o.insert(QStringLiteral("checkable"), group->isCheckable());
    }
    else if (const auto* combo = qobject_cast<const QComboBox*>(&w)) {
        QJsonArray items;
        for (int i = 0; i < combo->count(); ++i)
            items.append(combo->itemText(i));
        o.insert(QStringLiteral("items"), items);
    }
    if (const auto* frame = qobject_cast<const QFrame*>(&w))
        o.insert(QStringLiteral("frame"), frame->frameStyle());
    if (w.autoFillBackground())
        o.insert(QStringLiteral("background"), w.palette().color(w.backgroundRole()).name());
    o.insert(QStringLiteral("hidden"), w.isHidden());
    o.insert(QStringLiteral("disabled"), w.testAttribute(Qt::WA_ForceDisabled));
    if (w.testAttribute(Qt::WA_SetFont))
        o.insert(QStringLiteral("font"), w.font().toString());
    if (!w.styleSheet().isEmpty())
        o.insert(QStringLiteral("styleSheet"), w.styleSheet());
    o.insert(QStringLiteral("minimum"), pair(w.minimumWidth(), w.minimumHeight()));
    o.insert(QStringLiteral("maximum"), pair(w.maximumWidth(), w.maximumHeight()));
    o.insert(QStringLiteral("policy"),
             pair(int(w.sizePolicy().horizontalPolicy()), int(w.sizePolicy().verticalPolicy())));
    o.insert(QStringLiteral("geometry"), QJsonArray{w.x(), w.y(), w.width(), w.height()});
    if (kind.whole)
        return o;
    const QList<QWidget*> children = childWidgets(w);
    QJsonArray described;
    for (const QWidget* child : children)
        described.append(describeWidget(*child));
    o.insert(QStringLiteral("children"), described);
    if (w.layout())
        o.insert(QStringLiteral("layout"), describeLayout(*w.layout(), children));
    return o;
}

QSize sizeOf(const QJsonValue& v)
{
    return {v.toArray().at(0).toInt(), v.toArray().at(1).toInt()};
}

QLayout* buildLayout(const QJsonObject& o, const QList<QWidget*>& children);

QSpacerItem* spacerOf(const QJsonArray& s)
{
    return new QSpacerItem(s.at(0).toInt(), s.at(1).toInt(), QSizePolicy::Policy(s.at(2).toInt()),
                           QSizePolicy::Policy(s.at(3).toInt()));
}

void addItem(QLayout& layout, const QJsonObject& item, const QList<QWidget*>& children)
{
    const Qt::Alignment alignment(item.value(QStringLiteral("alignment")).toInt());
    auto* grid = qobject_cast<QGridLayout*>(&layout);
    auto* box = qobject_cast<QBoxLayout*>(&layout);
    const QJsonArray cell = item.value(QStringLiteral("cell")).toArray();
    const int row = cell.at(0).toInt(), column = cell.at(1).toInt(), rows = cell.at(2).toInt(),
              columns = cell.at(3).toInt(), stretch = item.value(QStringLiteral("stretch")).toInt();
    if (item.contains(QStringLiteral("widget"))) {
        QWidget* w = children.value(item.value(QStringLiteral("widget")).toInt());
        if (grid)
            grid->addWidget(w, row, column, rows, columns, alignment);
        else if (box)
            box->addWidget(w, stretch, alignment);
    }
    else if (item.contains(QStringLiteral("layout"))) {
        QLayout* inner = buildLayout(item.value(QStringLiteral("layout")).toObject(), children);
        if (grid)
            grid->addLayout(inner, row, column, rows, columns, alignment);
        else if (box)
            box->addLayout(inner, stretch);
    }
    else if (item.contains(QStringLiteral("spacer"))) {
        QSpacerItem* spacer = spacerOf(item.value(QStringLiteral("spacer")).toArray());
        if (grid)
            grid->addItem(spacer, row, column, rows, columns, alignment);
        else if (box)
            box->addSpacerItem(spacer);
    }
}

QLayout* buildLayout(const QJsonObject& o, const QList<QWidget*>& children)
{
    QLayout* layout = nullptr;
    if (o.value(QStringLiteral("type")) == QLatin1String("grid")) {
        auto* grid = new QGridLayout;
        const QSize gaps = sizeOf(o.value(QStringLiteral("gaps")));
        grid->setHorizontalSpacing(gaps.width());
        grid->setVerticalSpacing(gaps.height());
        layout = grid;
    }
    else {
        layout = new QBoxLayout(QBoxLayout::Direction(o.value(QStringLiteral("direction")).toInt()));
        layout->setSpacing(o.value(QStringLiteral("spacing")).toInt());
    }
    const QJsonArray m = o.value(QStringLiteral("margins")).toArray();
    layout->setContentsMargins(m.at(0).toInt(), m.at(1).toInt(), m.at(2).toInt(), m.at(3).toInt());
    layout->setSizeConstraint(QLayout::SizeConstraint(o.value(QStringLiteral("constraint")).toInt()));
    for (const QJsonValue& item : o.value(QStringLiteral("items")).toArray())
        addItem(*layout, item.toObject(), children);
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
        const QJsonArray stretches = o.value(QStringLiteral("columnStretch")).toArray();
        for (int c = 0; c < stretches.size(); ++c)
            grid->setColumnStretch(c, stretches.at(c).toInt());
    }
    return layout;
}

void setTexts(QWidget& w, const QJsonObject& o)
{
    const QString text = o.value(QStringLiteral("text")).toString();
    const Qt::Alignment alignment(o.value(QStringLiteral("alignment")).toInt());
    if (auto* label = qobject_cast<QLabel*>(&w)) {
        label->setText(text);
        label->setAlignment(alignment);
    }
    else if (auto* button = qobject_cast<QAbstractButton*>(&w)) {
        button->setText(text);
        button->setChecked(o.value(QStringLiteral("checked")).toBool());
    }
    else if (auto* edit = qobject_cast<QLineEdit*>(&w)) {
        edit->setText(text);
        edit->setPlaceholderText(o.value(QStringLiteral("placeholder")).toString());
        edit->setAlignment(alignment);
        edit->setFrame(o.value(QStringLiteral("hasFrame")).toBool());
        edit->setReadOnly(o.value(QStringLiteral("readOnly")).toBool());
    }
    else if (auto* group = qobject_cast<QGroupBox*>(&w)) {
        group->setTitle(text);
        group->setCheckable(o.value(QStringLiteral("checkable")).toBool());
    }
    else if (auto* combo = qobject_cast<QComboBox*>(&w))
        for (const QJsonValue& item : o.value(QStringLiteral("items")).toArray())
            combo->addItem(item.toString());
}

QWidget* buildWidget(const QJsonObject& o, QWidget* parent)
{
    QWidget* w = nullptr;
    for (const Kind& k : kinds())
        if (o.value(QStringLiteral("class")) == QLatin1String(k.name))
            w = k.make();
    if (!w)
        w = new QWidget;
    if (parent)
        w->setParent(parent);
    setTexts(*w, o);
    if (auto* frame = qobject_cast<QFrame*>(w); frame && o.contains(QStringLiteral("frame")))
        frame->setFrameStyle(o.value(QStringLiteral("frame")).toInt());
    if (o.contains(QStringLiteral("font"))) {
        QFont font;
        font.fromString(o.value(QStringLiteral("font")).toString());
        w->setFont(font);
    }
    if (o.contains(QStringLiteral("background"))) {
        QPalette palette = w->palette();
        palette.setColor(w->backgroundRole(), QColor(o.value(QStringLiteral("background")).toString()));
        w->setPalette(palette);
        w->setAutoFillBackground(true);
    }
    if (o.contains(QStringLiteral("styleSheet")))
        w->setStyleSheet(o.value(QStringLiteral("styleSheet")).toString());
    if (const QSize minimum = sizeOf(o.value(QStringLiteral("minimum"))); !minimum.isNull())
        w->setMinimumSize(minimum);
    if (const QSize maximum = sizeOf(o.value(QStringLiteral("maximum")));
        maximum != QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX))
        w->setMaximumSize(maximum);
    const QSize policy = sizeOf(o.value(QStringLiteral("policy")));
    w->setSizePolicy(QSizePolicy::Policy(policy.width()), QSizePolicy::Policy(policy.height()));
    const QJsonArray g = o.value(QStringLiteral("geometry")).toArray();
    w->setGeometry(g.at(0).toInt(), g.at(1).toInt(), g.at(2).toInt(), g.at(3).toInt());
    QList<QWidget*> children;
    for (const QJsonValue& child : o.value(QStringLiteral("children")).toArray())
        children.append(buildWidget(child.toObject(), w));
    if (o.contains(QStringLiteral("layout")))
        w->setLayout(buildLayout(o.value(QStringLiteral("layout")).toObject(), children));
    if (o.value(QStringLiteral("hidden")).toBool())
        w->hide();
    if (o.value(QStringLiteral("disabled")).toBool())
        w->setEnabled(false);
    return w;
}
} // namespace

QJsonObject describeTree(const QWidget& window)
{
    QJsonObject o{{QStringLiteral("title"), window.windowTitle()},
                  {QStringLiteral("appFont"), QApplication::font().toString()},
                  {QStringLiteral("style"), QApplication::style()->name()},
                  {QStringLiteral("size"), pair(window.width(), window.height())},
                  {QStringLiteral("tree"), describeWidget(window)}};
    return o;
}

QWidget* buildTree(const QJsonObject& description)
{
    QFont font;
    font.fromString(description.value(QStringLiteral("appFont")).toString());
    QApplication::setFont(font);
    QApplication::setStyle(QStyleFactory::create(description.value(QStringLiteral("style")).toString()));
    QWidget* window = buildWidget(description.value(QStringLiteral("tree")).toObject(), nullptr);
    window->setWindowTitle(description.value(QStringLiteral("title")).toString());
    window->resize(sizeOf(description.value(QStringLiteral("size"))));
    return window;
}

} // namespace bench
