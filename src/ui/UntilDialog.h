#pragma once

#include <QDialog>

class QTimeEdit;

namespace wigglet {

class AppDelegate;

// The menu's Until… item: a time of day at which shaking is to stop, the next time the clock
// shows it. It starts as an hour from now, on the quarter.
class UntilDialog : public QDialog {
  public:
    explicit UntilDialog(AppDelegate& delegate);
    // Puts the proposed time back before the dialog is shown again.
    void propose();
    QString timeText() const;

  private:
    void start();

    AppDelegate& delegate_;
    QTimeEdit* time_ = nullptr;
};

} // namespace wigglet
