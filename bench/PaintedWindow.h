#pragma once

#include <QWidget>

// Shows a top-level window and returns once it has been painted for the first
// time: the moment a user would see it.
void showAndWaitForPaint(QWidget& window);

// Returns once the widget has painted again after a change.
void waitForPaint(QWidget& widget);

// Destroys a window and lets the deferred deletions and events it leaves
// behind run, so they are not charged to whatever is measured next.
void destroyWindow(QWidget* window);
