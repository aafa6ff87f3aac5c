#include "gui/fleet_window/repaint_pacer.h"

#include <QWidget>

namespace talvik {

RepaintPacer::RepaintPacer(QWidget* widget, int intervalMs) : QObject(widget), widget_(widget)
{
    timer_.setSingleShot(true);
    timer_.setInterval(intervalMs);
    connect(&timer_, &QTimer::timeout, this, &RepaintPacer::intervalOver);
}

void RepaintPacer::changed()
{
    if (!timer_.isActive()) {
        timer_.start(); // this change paints as usual
        return;
    }
    if (!held_) {
        held_ = true;
        widget_->setUpdatesEnabled(false);
    }
}

void RepaintPacer::intervalOver()
{
    if (!held_)
        return;
    held_ = false;
    widget_->setUpdatesEnabled(true); // repaints the whole widget once
    timer_.start();
}

void RepaintPacer::flush()
{
    if (held_)
        intervalOver();
}

} // namespace talvik
