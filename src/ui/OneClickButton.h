#pragma once

#include <QPushButton>

namespace wigglet {

// A push button that can be taken out of hit testing: while user interaction is off, clicks
// on it do nothing. The shortcut recorder uses it so that a click does not restart recording.
class OneClickButton final : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(
        bool isUserInteractionEnabled READ isUserInteractionEnabled WRITE setUserInteractionEnabled)

  public:
    using QPushButton::QPushButton;

    bool isUserInteractionEnabled() const { return userInteraction_; }
    void setUserInteractionEnabled(bool enabled) { userInteraction_ = enabled; }
    // The pressed look, shown without a press.
    void highlight(bool on);
    bool isHighlighted() const { return highlighted_; }

  protected:
    bool hitButton(const QPoint& pos) const override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    bool userInteraction_ = true;
    bool highlighted_ = false;
};

} // namespace wigglet
