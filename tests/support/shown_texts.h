#pragma once
// What a window shows and what a screen reader reads of it, for checks that run over every
// widget: the texts in a language, and the captions too wide for the room they are given.

#include "gui/app/language.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>

namespace talvik::test {

// The windows made while it lives speak `language`; Ukrainian again after it.
struct SpokenLanguage {
    explicit SpokenLanguage(Language language) { installed = installLanguage(language); }
    ~SpokenLanguage() { installLanguage(Language::Ukrainian); }
    bool installed;
};

inline bool hasCyrillic(const QString& text)
{
    static const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
    return cyrillic.match(text).hasMatch();
}

// Every text of `root` and the widgets in it: captions, titles, tips, accessible names and
// descriptions, hints, list items, table headers and cells.
inline QStringList textsOf(QWidget* root)
{
    QStringList out;
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* w : widgets) {
        out << w->windowTitle() << w->toolTip() << w->accessibleName() << w->accessibleDescription();
        if (auto* l = qobject_cast<QLabel*>(w))
            out << l->text();
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            out << b->text();
        if (auto* g = qobject_cast<QGroupBox*>(w))
            out << g->title();
        if (auto* e = qobject_cast<QLineEdit*>(w))
            out << e->text() << e->placeholderText();
        if (auto* e = qobject_cast<QPlainTextEdit*>(w))
            out << e->toPlainText() << e->placeholderText();
        if (auto* c = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i)
                out << c->itemText(i);
        if (auto* v = qobject_cast<QAbstractItemView*>(w); v && v->model()) {
            const QAbstractItemModel* m = v->model();
            for (int c = 0; c < m->columnCount(); ++c)
                out << m->headerData(c, Qt::Horizontal).toString();
            for (int r = 0; r < m->rowCount(); ++r)
                for (int c = 0; c < m->columnCount(); ++c)
                    out << m->index(r, c).data().toString()
                        << m->index(r, c).data(Qt::ToolTipRole).toString();
        }
        for (QAction* a : w->actions())
            out << a->text() << a->toolTip();
    }
    out.removeAll(QString());
    return out;
}

inline QStringList cyrillicTexts(QWidget* root)
{
    QStringList found;
    for (const QString& text : textsOf(root))
        if (hasCyrillic(text))
            found << text;
    return found;
}

// The widest line of a caption, as drawn ("&" marks a shortcut and is not drawn).
inline int captionWidth(const QWidget* w, QString text)
{
    text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    int widest = 0;
    for (const QString& line : text.split(u'\n'))
        widest = std::max(widest, w->fontMetrics().horizontalAdvance(line));
    return widest;
}

// The visible captions of `root` that do not fit the width their widget has.
inline QStringList clippedCaptions(QWidget* root)
{
    QStringList clipped;
    const auto check = [&](QWidget* w, const QString& text, int room) {
        if (!text.isEmpty() && captionWidth(w, text) > room)
            clipped << QStringLiteral("%1 \"%2\": %3 px of text in %4")
                           .arg(w->objectName(), text)
                           .arg(captionWidth(w, text))
                           .arg(room);
    };
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(root))
            continue;
        const QStyle* s = w->style();
        if (auto* l = qobject_cast<QLabel*>(w); l && !l->wordWrap() && l->textFormat() != Qt::RichText)
            check(l, l->text(), l->contentsRect().width() - 2 * l->margin() - std::max(0, l->indent()));
        else if (auto* c = qobject_cast<QCheckBox*>(w))
            check(c, c->text(),
                  c->width() - s->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, c) -
                      s->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, c));
        else if (auto* r = qobject_cast<QRadioButton*>(w))
            check(r, r->text(),
                  r->width() - s->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, r) -
                      s->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, r));
        else if (auto* b = qobject_cast<QPushButton*>(w); b && b->icon().isNull()) {
            QStyleOptionButton option;
            option.initFrom(b);
            option.text = b->text();
            option.features =
                b->autoDefault() ? QStyleOptionButton::AutoDefaultButton : QStyleOptionButton::None;
            check(b, b->text(),
                  s->subElementRect(QStyle::SE_PushButtonContents, &option, b).width() -
                      (b->menu() ? s->pixelMetric(QStyle::PM_MenuButtonIndicator, nullptr, b) : 0));
        }
        else if (auto* g = qobject_cast<QGroupBox*>(w))
            check(g, g->title(), g->width());
    }
    return clipped;
}

// A window fits a 1024 x 768 screen beneath a title bar: as big as its texts made it, or at
// the least size its layout allows.
inline bool fitsSmallScreen(const QWidget* window)
{
    const QSize least = window->minimumSizeHint().expandedTo(window->minimumSize());
    const QSize room(1024, 768 - 32);
    return least.boundedTo(room) == least &&
           (window->layout() && window->layout()->sizeConstraint() == QLayout::SetFixedSize
                ? window->frameGeometry().size().boundedTo(room) == window->frameGeometry().size()
                : true);
}

} // namespace talvik::test
