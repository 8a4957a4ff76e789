#pragma once

#include <QLabel>

namespace wigglet {

// A text field drawn as a link that opens a new e-mail to the support address when clicked.
class HyperlinkTextFieldEmail final : public QLabel {
    Q_OBJECT

  public:
    explicit HyperlinkTextFieldEmail(QWidget* parent = nullptr);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace wigglet
