#pragma once

#include <QPushButton>

namespace wigglet {

// A button that vanishes when used: on mouse down it hides itself, then sends its action.
class ClickHideButton final : public QPushButton {
    Q_OBJECT

  public:
    using QPushButton::QPushButton;

  protected:
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace wigglet
