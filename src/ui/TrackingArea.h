#pragma once

#include <QPointF>
#include <QPointer>
#include <QRect>
#include <QWidget>

namespace wigglet {

// The region of a CustomButton in which the pointer counts as inside during a press: the
// button's bounds when the area was first made. Qt reports enter and leave to every widget on
// its own; the area only keeps the rectangle and the options the button asked for.
class TrackingArea {
  public:
    // Mouse entered-and-exited plus active-in-active-application.
    static constexpr unsigned defaultOptions = 65;

    explicit TrackingArea(QWidget* owner) : view(owner), rect(owner->rect()) {}

    // Installs the area again after the view changed.
    void update() { installed = true; }
    bool contains(QPointF point) const { return installed && QRectF(rect).contains(point); }

    QPointer<QWidget> view;
    QRect rect;
    unsigned options = defaultOptions;
    bool installed = false;
};

} // namespace wigglet
