#include "ui/CustomButton.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <cmath>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

using wigglet::CustomButton;

namespace {

// A step, one of: press, move-in, move-out, release-in, release-out, disable.
void send(CustomButton& button, const std::string& step) {
    const QPointF at = step.ends_with("out") ? QPointF(200, 60) : QPointF(60, 16);
    const auto mouse = [&](QEvent::Type type, Qt::MouseButton changed, Qt::MouseButtons held) {
        QMouseEvent event(type, at, button.mapToGlobal(at), changed, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&button, &event);
    };
    if (step == "disable")
        button.setEnabled(false);
    else if (step == "press")
        mouse(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    else if (step.starts_with("move"))
        mouse(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton);
    else
        mouse(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
}

TEST(CustomButtonLook, APressCycleSendsTheActionOnlyWhenReleasedInside) {
    const struct {
        const char* behaviour;
        const char* steps;
        int actionsSent;
        bool endsActive;
    } rows[] = {
        {"press released inside sends once and ends inactive", "press release-in", 1, false},
        {"press held inside is the active look", "press move-in", 0, true},
        {"press dragged out and released outside sends nothing and ends inactive",
         "press move-out release-out", 0, false},
        {"press dragged out and back in is abandoned", "press move-out move-in release-in", 0,
         false},
        {"release without a press sends nothing", "release-in", 0, false},
        {"two presses send twice", "press release-in press release-in", 2, false},
        {"a disabled button takes no clicks", "disable press release-in", 0, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        CustomButton button;
        button.resize(120, 32);
        button.show();
        int sent = 0;
        QObject::connect(&button, &QAbstractButton::clicked, [&sent] { ++sent; });
        std::istringstream steps(row.steps);
        for (std::string step; steps >> step;)
            send(button, step);
        EXPECT_EQ(sent, row.actionsSent);
        EXPECT_EQ(button.stateOn(), row.endsActive);
    }
}

TEST(CustomButtonLook, ColoursChangedWhileInactiveShowAtTheNextPressAndTheTitleIsOnWholePoints) {
    CustomButton button;
    button.setBackgroundColor(Qt::white);
    button.setActiveBackgroundColor(Qt::blue);
    EXPECT_EQ(button.layer().background, QColor(Qt::white));
    button.mouseDown();
    button.mouseUp();
    button.setActiveBackgroundColor(Qt::red);
    EXPECT_NE(button.layer().background, QColor(Qt::red));

    // The title is centred on whole points.
    button.setText("Open Settings");
    for (int width : {101, 150, 233}) {
        button.resize(width, 31);
        const QRectF title = button.titleRect();
        EXPECT_EQ(title.x(), std::round(title.x()));
        EXPECT_EQ(title.y(), std::round(title.y()));
        EXPECT_NEAR(title.center().x(), width / 2.0, 0.5 + 1e-9);
    }
}

} // namespace
