#include "ui/ClickViewController.h"

#include "foundation/Localizer.h"
#include "foundation/SettingsStore.h"
#include "input/PointText.h"
#include "platform/Platform.h"
#include "platform/Screens.h"
#include "ui/ClickView.h"
#include "ui/EventMonitor.h"

#include <QAbstractButton>
#include <QColor>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <cstdio>

namespace wigglet {

namespace {

constexpr const char* kTag = "tag";
constexpr double kUnpickedCoordinate = 10;
constexpr int kInstructionsTop = 48;
constexpr int kPanelOverhang = 20;

QPixmap screenCapture() {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->grabWindow(0) : QPixmap();
}

SettingsStore& store() {
    return SettingsStore::shared();
}

// A radio button of an exclusive group can only be switched off with the group's rule lifted.
void setRadio(QAbstractButton* radio, bool on) {
    if (!radio)
        return;
    const bool exclusive = radio->autoExclusive();
    radio->setAutoExclusive(false);
    radio->setChecked(on);
    radio->setAutoExclusive(exclusive);
}

} // namespace

ClickViewController::ClickViewController(ClickView* pane)
    : QObject(pane), view(pane),
      leftClickButton(pane->findChild<QAbstractButton*>("leftClickButton")),
      rightClickButton(pane->findChild<QAbstractButton*>("rightClickButton")),
      bothClickButton(pane->findChild<QAbstractButton*>("bothClickButton")),
      cursorLeftAtRadioButton(pane->findChild<QAbstractButton*>("cursorLeftAtRadioButton")),
      customLocationRadioButton(pane->findChild<QAbstractButton*>("customLocationRadioButton")),
      customizeLocationButton(pane->findChild<QAbstractButton*>("customizeLocationButton")) {
    for (QAbstractButton* radio :
         {leftClickButton.data(), rightClickButton.data(), bothClickButton.data()})
        if (radio)
            connect(radio, &QAbstractButton::clicked, this,
                    [this, radio] { clickButtonChange(radio); });
    for (QAbstractButton* radio :
         {cursorLeftAtRadioButton.data(), customLocationRadioButton.data()})
        if (radio)
            connect(radio, &QAbstractButton::clicked, this,
                    [this, radio] { clickLocationChange(radio); });
    if (customizeLocationButton)
        connect(customizeLocationButton, &QAbstractButton::clicked, this,
                &ClickViewController::clickTargetButtonChange);
    pane->installEventFilter(this);
}

ClickViewController::~ClickViewController() {
    if (clickMonitor)
        clickMonitor->remove();
}

bool ClickViewController::eventFilter(QObject* watched, QEvent* event) {
    // Only a shown view is compared: while the view is being destroyed it is no ClickView.
    if (event->type() == QEvent::Show && !loaded_ && watched == view)
        viewDidLoad();
    return false;
}

void ClickViewController::viewDidLoad() {
    loaded_ = true;
    QAbstractButton* const buttons[] = {leftClickButton, rightClickButton, bothClickButton};
    for (int tag = 0; tag < 3; ++tag)
        if (buttons[tag])
            buttons[tag]->setProperty(kTag, tag);
    const std::optional<ClickButton> chosen = store().clickButton();
    for (QAbstractButton* radio : buttons)
        setRadio(radio, false);
    for (QAbstractButton* radio : buttons)
        if (radio && chosen && radio->property(kTag).toInt() == static_cast<int>(*chosen)) {
            radio->setChecked(true);
            break;
        }
    if (store().boolForKey(SettingsKey::shakeClickCustomPosition)) {
        if (customizeLocationButton)
            customizeLocationButton->show();
        setRadio(customLocationRadioButton, true);
        setLocationTitle();
    } else {
        setRadio(cursorLeftAtRadioButton, true);
        if (customizeLocationButton)
            customizeLocationButton->hide();
    }
}

void ClickViewController::setLocationTitle() {
    if (!customizeLocationButton)
        return;
    Point point{kUnpickedCoordinate, kUnpickedCoordinate};
    if (const auto text = store().stringForKey(SettingsKey::shakeClickPosition))
        point = PointText::parse(*text);
    customizeLocationButton->setText(QString::asprintf("(%.0f, %.0f)", point.x, point.y));
}

void ClickViewController::clickButtonChange(QAbstractButton* sender) {
    store().setClickButton(static_cast<ClickButton>(sender->property(kTag).toInt()));
    store().synchronize();
}

void ClickViewController::clickLocationChange(QAbstractButton* sender) {
    if (sender == cursorLeftAtRadioButton) {
        if (customizeLocationButton)
            customizeLocationButton->hide();
        store().setBool(SettingsKey::shakeClickCustomPosition, false);
        store().synchronize();
        return;
    }
    store().setBool(SettingsKey::shakeClickCustomPosition, true);
    store().synchronize();
    if (customizeLocationButton)
        customizeLocationButton->show();
    setLocationTitle();
}

void ClickViewController::clickTargetButtonChange() {
    if (clickMonitor)
        clickMonitor->remove();
    clickMonitor = new EventMonitor(QEvent::MouseButtonPress, [this](QEvent* event) {
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            pick(event);
    });
    clickPanel = makeClickPanel();
    view->removeAllTrackingAreas();
    view->addTrackingArea();
    view->setCursor(Qt::CrossCursor);
}

// A capture of the screen taken just before, dimmed, is the panel's background: without a
// compositing manager a translucent window would show black. Where the screen cannot be
// captured (Wayland), the panel stays translucent.
std::unique_ptr<QWidget> ClickViewController::makeClickPanel() {
    const auto frame = Platform::current().screens().primaryFrame();
    const Size size = frame ? frame->size : Size{};
    auto panel = std::make_unique<QWidget>(nullptr, Qt::Tool | Qt::FramelessWindowHint |
                                                        Qt::WindowStaysOnTopHint |
                                                        Qt::WindowDoesNotAcceptFocus);
    panel->setObjectName("clickPanel");
    panel->setAttribute(Qt::WA_ShowWithoutActivating);
    panel->setCursor(Qt::CrossCursor);
    panel->setGeometry(0, 0, static_cast<int>(size.width) + kPanelOverhang,
                       static_cast<int>(size.height) + kPanelOverhang);
    QPixmap beneath = screenCapture();
    if (beneath.isNull()) {
        panel->setAttribute(Qt::WA_TranslucentBackground);
        panel->setAttribute(Qt::WA_StyledBackground);
        panel->setStyleSheet("#clickPanel { background: rgba(128, 128, 128, 64); }");
    } else {
        QPainter(&beneath).fillRect(beneath.rect(), QColor(128, 128, 128, 64));
        QPalette palette = panel->palette();
        palette.setBrush(QPalette::Window, beneath);
        panel->setPalette(palette);
        panel->setAutoFillBackground(true);
    }
    auto* instructions =
        new QLabel(QString::fromStdString(localized("picker-instructions")), panel.get());
    instructions->setObjectName("pickerInstructions");
    instructions->setStyleSheet("background: rgba(0, 0, 0, 180); color: white; padding: 8px;"
                                " border-radius: 6px;");
    instructions->adjustSize();
    instructions->move((static_cast<int>(size.width) - instructions->width()) / 2,
                       kInstructionsTop);
    panel->show();
    panel->raise();
    return panel;
}

void ClickViewController::pick(QEvent*) {
    Screens& screens = Platform::current().screens();
    const Point location = screens.pointerLocation();
    std::printf("mouseLocation: %.1f, %.1f\n", location.x, location.y);
    std::fflush(stdout);
    store().setBool(SettingsKey::shakeClickCustomPosition, true);
    store().synchronize();
    const auto frame = screens.primaryFrame();
    const double height = frame ? frame->size.height : 0.0;
    store().setString(SettingsKey::shakeClickPosition,
                      PointText::format({location.x, height - location.y}));
    store().synchronize();
    setLocationTitle();
    endPick();
}

void ClickViewController::cancelPick() {
    if (isPicking())
        endPick();
}

void ClickViewController::endPick() {
    if (clickPanel)
        clickPanel->hide();
    view->removeAllTrackingAreas();
    if (clickMonitor)
        clickMonitor->remove();
}

} // namespace wigglet
