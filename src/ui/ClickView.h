#pragma once

#include <QWidget>

namespace wigglet {

// The Click pane's root view. While a location pick tracks it, the pointer shows the
// crosshair over it.
class ClickView final : public QWidget {
    Q_OBJECT

  public:
    using QWidget::QWidget;

    void addTrackingArea();
    void removeAllTrackingAreas();
    bool isTracking() const { return tracking_; }

  protected:
    void enterEvent(QEnterEvent* event) override;

  private:
    bool tracking_ = false;
};

} // namespace wigglet
