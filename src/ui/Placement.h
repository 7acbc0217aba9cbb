#pragma once

#include "Twips.h"

#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <initializer_list>
#include <iterator>

// What the two window layouts share to put controls where the design has them.
namespace ui::placement {

template <typename Widget> Widget* place(QWidget* parent, const char* name, QRect twips)
{
    auto* widget = new Widget(parent);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(twips);
    return widget;
}

template <typename Label = QLabel>
Label* placeLabel(QWidget* parent, const char* name, const QString& text, QRect twips)
{
    auto* label = place<Label>(parent, name, twips);
    label->setText(text);
    return label;
}

template <typename Button = QPushButton>
Button* placeButton(QWidget* parent, const char* name, const QString& text, QRect twips)
{
    auto* button = place<Button>(parent, name, twips);
    button->setText(text);
    return button;
}

// A fixed border with a close box only: no minimize or maximize button.
inline void setCloseBoxOnly(QWidget* window, Qt::WindowType type)
{
    window->setWindowFlags(type | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
}

// The first widget ends up on top of the others, the last beneath them all.
inline void stackTopFirst(std::initializer_list<QWidget*> widgets)
{
    for (auto it = std::rbegin(widgets); it != std::rend(widgets); ++it)
        (*it)->raise();
}

inline void chainTabOrder(std::initializer_list<QWidget*> widgets)
{
    QWidget* previous = nullptr;
    for (QWidget* widget : widgets) {
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

} // namespace ui::placement
