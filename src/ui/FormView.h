#pragma once

#include <QWidget>

namespace wigglet {

// A plain view on the text background colour, for framing the content of a layout.
class FormView final : public QWidget {
    Q_OBJECT

  public:
    explicit FormView(QWidget* parent = nullptr);
};

} // namespace wigglet
