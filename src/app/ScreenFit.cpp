#include "app/ScreenFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace tavrola {

QRect FitInside(const QRect& wanted, const QRect& available)
{
    QRect r(wanted.topLeft(), wanted.size().boundedTo(available.size()));
    r.moveLeft(std::clamp(r.left(), available.left(), available.right() - r.width() + 1));
    r.moveTop(std::clamp(r.top(), available.top(), available.bottom() - r.height() + 1));
    return r;
}

void FitToScreen(QWidget* window, const QRect& availableArea)
{
    QRect available = availableArea;
    if (available.isEmpty()) {
        QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
        if (!screen)
            return;
        available = screen->availableGeometry();
    }
    // The frame (title bar, borders) counts against the room; before the window is
    // shown assume a usual title bar.
    const QRect frame = window->frameGeometry();
    const QSize extra = window->isVisible() ? frame.size() - window->size() : QSize(16, 38);
    const QSize room = available.size() - extra;
    window->resize(window->size().boundedTo(room).expandedTo(window->minimumSize().boundedTo(room)));
    const QRect placed = FitInside(QRect(frame.topLeft(), window->size() + extra), available);
    window->move(placed.topLeft());
}

}  // namespace tavrola
