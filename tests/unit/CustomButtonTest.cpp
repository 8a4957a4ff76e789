#include "ui/CustomButton.h"

#include "BehaviourRowName.h"
#include "QtApplication.h"

#include <QMouseEvent>
#include <cmath>
#include <gtest/gtest.h>
#include <ostream>
#include <sstream>
#include <string>

using wigglet::CustomButton;

namespace {

struct PressCycle {
    std::string behaviour;
    // Words: press, move-in, move-out, release-in, release-out, disable.
    std::string steps;
    int actionsSent;
    bool endsActive;
};

void PrintTo(const PressCycle& row, std::ostream* out) {
    *out << row.behaviour;
}

class CustomButtonTest : public ::testing::TestWithParam<PressCycle> {
  protected:
    void SetUp() override {
        button.resize(120, 32);
        button.show();
        QObject::connect(&button, &QAbstractButton::clicked, [this] { ++sent; });
    }

    void send(const std::string& step) {
        const QPointF at = step.ends_with("out") ? QPointF(200, 60) : QPointF(60, 16);
        if (step == "disable")
            button.setEnabled(false);
        else if (step == "press")
            mouse(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        else if (step.starts_with("move"))
            mouse(QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
        else
            mouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    }

    void mouse(QEvent::Type type, QPointF at, Qt::MouseButton button_, Qt::MouseButtons held) {
        QMouseEvent event(type, at, button.mapToGlobal(at), button_, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&button, &event);
    }

    wigglet::test::QtApplicationFirst qt;
    CustomButton button;
    int sent = 0;
};

TEST_P(CustomButtonTest, PressCycle) {
    std::istringstream steps(GetParam().steps);
    for (std::string step; steps >> step;)
        send(step);
    EXPECT_EQ(sent, GetParam().actionsSent);
    EXPECT_EQ(button.stateOn(), GetParam().endsActive);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CustomButtonTest,
    ::testing::Values(
        PressCycle{"press released inside sends once and ends inactive", "press release-in", 1,
                   false},
        PressCycle{"press held inside is the active look", "press move-in", 0, true},
        PressCycle{"press dragged out and released outside sends nothing and ends inactive",
                   "press move-out release-out", 0, false},
        PressCycle{"press dragged out and back in is abandoned",
                   "press move-out move-in release-in", 0, false},
        PressCycle{"release without a press sends nothing", "release-in", 0, false},
        PressCycle{"two presses send twice", "press release-in press release-in", 2, false},
        PressCycle{"a disabled button takes no clicks", "disable press release-in", 0, false}),
    wigglet::test::BehaviourRowName());

class CustomButtonLook : public ::testing::Test {
  protected:
    void SetUp() override { wigglet::test::ensureQApplication(); }
};

TEST_F(CustomButtonLook, ActiveColoursChangedWhileInactiveShowOnlyAtTheNextPress) {
    CustomButton button;
    button.setBackgroundColor(Qt::white);
    button.setActiveBackgroundColor(Qt::blue);
    EXPECT_EQ(button.layer().background, QColor(Qt::white));
    button.mouseDown();
    button.mouseUp();
    button.setActiveBackgroundColor(Qt::red);
    EXPECT_NE(button.layer().background, QColor(Qt::red));
}

TEST_F(CustomButtonLook, TheTitleIsCentredOnWholePoints) {
    CustomButton button;
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
