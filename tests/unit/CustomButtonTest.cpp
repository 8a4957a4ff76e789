#include "ui/CustomButton.h"

#include "BehaviourRowName.h"
#include "QtApplication.h"

#include <QMouseEvent>
#include <cmath>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

using wigglet::CustomButton;

namespace {

enum class Step { Press, MoveInside, MoveOutside, ReleaseInside, ReleaseOutside };

struct PressCycle {
    std::string behaviour;
    std::vector<Step> steps;
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

    void send(Step step) {
        const QPointF inside(60, 16);
        const QPointF outside(200, 60);
        switch (step) {
        case Step::Press:
            mouse(QEvent::MouseButtonPress, inside, Qt::LeftButton, Qt::LeftButton);
            break;
        case Step::MoveInside:
            mouse(QEvent::MouseMove, inside, Qt::NoButton, Qt::LeftButton);
            break;
        case Step::MoveOutside:
            mouse(QEvent::MouseMove, outside, Qt::NoButton, Qt::LeftButton);
            break;
        case Step::ReleaseInside:
            mouse(QEvent::MouseButtonRelease, inside, Qt::LeftButton, Qt::NoButton);
            break;
        case Step::ReleaseOutside:
            mouse(QEvent::MouseButtonRelease, outside, Qt::LeftButton, Qt::NoButton);
            break;
        }
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
    for (Step step : GetParam().steps)
        send(step);
    EXPECT_EQ(sent, GetParam().actionsSent);
    EXPECT_EQ(button.stateOn(), GetParam().endsActive);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CustomButtonTest,
    ::testing::Values(
        PressCycle{"press released inside sends once and ends inactive",
                   {Step::Press, Step::ReleaseInside},
                   1,
                   false},
        PressCycle{
            "press_held_inside_is_the_active_look", {Step::Press, Step::MoveInside}, 0, true},
        PressCycle{"press dragged out and released outside sends nothing and ends inactive",
                   {Step::Press, Step::MoveOutside, Step::ReleaseOutside},
                   0,
                   false},
        PressCycle{"press dragged out and back in is abandoned",
                   {Step::Press, Step::MoveOutside, Step::MoveInside, Step::ReleaseInside},
                   0,
                   false},
        PressCycle{"release without a press sends nothing", {Step::ReleaseInside}, 0, false},
        PressCycle{"two presses send twice",
                   {Step::Press, Step::ReleaseInside, Step::Press, Step::ReleaseInside},
                   2,
                   false}),
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

TEST_F(CustomButtonLook, ADisabledButtonTakesNoClicks) {
    CustomButton button;
    button.resize(80, 30);
    int sent = 0;
    QObject::connect(&button, &QAbstractButton::clicked, [&sent] { ++sent; });
    button.setEnabled(false);
    const QPointF middle(40, 15);
    QMouseEvent press(QEvent::MouseButtonPress, middle, middle, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, middle, middle, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(&button, &press);
    QCoreApplication::sendEvent(&button, &release);
    EXPECT_EQ(sent, 0);
    EXPECT_FALSE(button.stateOn());
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
