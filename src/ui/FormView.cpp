#include "ui/FormView.h"

namespace wigglet {

FormView::FormView(QWidget* parent) : QWidget(parent) {
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

} // namespace wigglet
