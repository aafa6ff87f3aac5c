#pragma once
// Shorthands for creating named controls.

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace talvik {

template <typename T> T* named(T* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

inline QLabel* makeLabel(const char* name, const QString& text, QWidget* parent = nullptr)
{
    auto* label = named(new QLabel(text, parent), name);
    label->setTextFormat(Qt::PlainText); // board data ends up in labels: never rich text
    return label;
}

inline QPushButton* makeButton(const char* name, const QString& text, QSize size, QWidget* parent = nullptr)
{
    auto* button = named(new QPushButton(text, parent), name);
    button->setFixedSize(size);
    return button;
}

inline QCheckBox* makeCheckBox(const char* name, const QString& text, QWidget* parent = nullptr)
{
    return named(new QCheckBox(text, parent), name);
}

// A row with its caption to the right, as both main groups lay them out.
inline void addRow(QGridLayout* grid, int line, QWidget* row, QLabel* caption)
{
    grid->addWidget(row, line, 0);
    grid->addWidget(caption, line, 1);
}

inline void hideAndDisable(QWidget* w)
{
    w->setVisible(false);
    w->setEnabled(false);
}

// A disabled control that shows a value the operator came to read: it takes no focus
// and no input, but its text keeps the contrast of a read-only field instead of the
// faint grey of a disabled one.
inline void drawAsReadOnly(QWidget* w)
{
    QPalette pal = w->palette();
    for (auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText, QPalette::Base})
        pal.setColor(QPalette::Disabled, role, pal.color(QPalette::Active, role));
    w->setPalette(pal);
}

} // namespace talvik
