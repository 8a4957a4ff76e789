#include "ui/CustomButton.h"

#include "ui/AnimationDelegate.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace wigglet {

namespace {

constexpr int kActiveMilliseconds = 200;
constexpr int kInactiveMilliseconds = 100;

} // namespace

CustomButton::CustomButton(QWidget* parent) : QPushButton(parent) {
    const QColor label = palette().color(QPalette::WindowText);
    textColor_ = label;
    activeTextColor_ = label;
    setup();
}

CustomButton::CustomButton(const QString& title, QWidget* parent) : CustomButton(parent) {
    setText(title);
}

CustomButton* CustomButton::round(const QString& title, double r, QPointF center, QWidget* parent) {
    auto* button = new CustomButton(parent);
    button->setText(title);
    button->setGeometry(QRectF(center.x() - r, center.y() - r, 2 * r, 2 * r).toRect());
    button->setCornerRadius(r);
    QFont font = button->font();
    font.setPointSizeF(2 * r / 3);
    button->setFont(font);
    return button;
}

void CustomButton::setup() {
    setAttribute(Qt::WA_Hover);
    setFlat(true);
    const bool active = stateOn_;
    layer_.cornerRadius = cornerRadius_;
    layer_.borderWidth = borderWidth_;
    layer_.shadowRadius = active && activeShadowRadius_ != -1 ? activeShadowRadius_ : shadowRadius_;
    layer_.shadowOpacity =
        active && activeShadowOpacity_ != -1 ? activeShadowOpacity_ : shadowOpacity_;
    layer_.background = active ? activeBackgroundColor_ : backgroundColor_;
    layer_.border = active ? activeBorderColor_ : borderColor_;
    layer_.shadow = active && activeShadowColor_.isValid() ? activeShadowColor_ : shadowColor_;
    layer_.title = active ? activeTextColor_ : textColor_;
    presentation_ = layer_;
    update();
}

QRectF CustomButton::titleRect() const {
    const QSizeF size = QFontMetricsF(font()).size(Qt::TextSingleLine, text());
    return QRectF(std::round((width() - size.width()) / 2),
                  std::round((height() - size.height()) / 2), size.width(), size.height());
}

QSize CustomButton::sizeHint() const {
    const QSizeF title = QFontMetricsF(font()).size(Qt::TextSingleLine, text());
    return QSize(static_cast<int>(std::ceil(title.width())) + 24,
                 static_cast<int>(std::ceil(title.height())) + 12);
}

void CustomButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(isEnabled() ? 1.0 : 0.6);
    const Look& look = presentation_;
    const double inset = look.borderWidth / 2;
    const QRectF box = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    const double radius = std::min(look.cornerRadius, std::min(box.width(), box.height()) / 2);
    if (look.shadowOpacity > 0 && look.shadowRadius > 0 && look.shadow.alpha() > 0) {
        // A soft edge of a few widening strokes stands in for the blurred shadow.
        for (int ring = 1; ring <= 3; ++ring) {
            QColor shade = look.shadow;
            shade.setAlphaF(
                static_cast<float>(look.shadow.alphaF() * look.shadowOpacity / (ring + 1)));
            painter.setPen(QPen(shade, look.shadowRadius * ring / 3));
            painter.setBrush(Qt::NoBrush);
            painter.drawRoundedRect(box, radius, radius);
        }
    }
    painter.setPen(look.borderWidth > 0 ? QPen(look.border, look.borderWidth) : Qt::NoPen);
    painter.setBrush(look.background);
    painter.drawRoundedRect(box, radius, radius);
    painter.setPen(look.title);
    painter.setFont(font());
    painter.drawText(titleRect(), Qt::AlignCenter, text());
}

void CustomButton::flipState() {
    stateOn_ = !stateOn_;
}

void CustomButton::mouseDown() {
    isMouseDown_ = true;
    flipState();
    animate();
}

void CustomButton::mouseEntered() {
    if (!isMouseDown_)
        return;
    flipState();
    animate();
}

void CustomButton::mouseExited() {
    if (!isMouseDown_)
        return;
    flipState();
    animate();
    isMouseDown_ = false;
}

void CustomButton::mouseUp() {
    if (!isMouseDown_)
        return;
    isMouseDown_ = false;
    flipState();
    animate();
    emit clicked(false);
}

void CustomButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    pointerInside_ = true;
    mouseDown();
}

void CustomButton::mouseMoveEvent(QMouseEvent* event) {
    // While pressed the button holds the pointer, so leaving shows up as moves outside.
    const bool inside = trackingArea_ ? trackingArea_->contains(event->position())
                                      : rect().contains(event->position().toPoint());
    if (inside && !pointerInside_) {
        pointerInside_ = true;
        mouseEntered();
    } else if (!inside && pointerInside_) {
        pointerInside_ = false;
        mouseExited();
    }
}

void CustomButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        mouseUp();
}

void CustomButton::enterEvent(QEnterEvent*) {
    if (pointerInside_)
        return;
    pointerInside_ = true;
    mouseEntered();
}

void CustomButton::leaveEvent(QEvent*) {
    if (!pointerInside_)
        return;
    pointerInside_ = false;
    mouseExited();
}

void CustomButton::resizeEvent(QResizeEvent* event) {
    QPushButton::resizeEvent(event);
    updateTrackingAreas();
}

void CustomButton::updateTrackingAreas() {
    if (!trackingArea_)
        trackingArea_ = std::make_unique<TrackingArea>(this);
    trackingArea_->update();
}

void CustomButton::changeEvent(QEvent* event) {
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        update();
}

QColor& CustomButton::colorOf(Look& look, Part part) {
    switch (part) {
    case Part::Background:
        return look.background;
    case Part::Border:
        return look.border;
    case Part::Shadow:
        return look.shadow;
    case Part::Title:
        break;
    }
    return look.title;
}

void CustomButton::animate() {
    const bool active = stateOn_;
    const int duration = active ? kActiveMilliseconds : kInactiveMilliseconds;
    animatePart(Part::Background, active ? activeBackgroundColor_ : backgroundColor_, duration);
    animatePart(Part::Title, active ? activeTextColor_ : textColor_, duration);
    animatePart(Part::Border, active ? activeBorderColor_ : borderColor_, duration);
    animatePart(Part::Shadow,
                active && activeShadowColor_.isValid() ? activeShadowColor_ : shadowColor_,
                duration);
}

void CustomButton::animatePart(Part part, const QColor& target, int milliseconds) {
    auto* animation = new QVariantAnimation(this);
    animation->setStartValue(colorOf(layer_, part));
    animation->setEndValue(target);
    animation->setDuration(milliseconds);
    auto* delegate = new AnimationDelegate(animation);
    QPointer<CustomButton> self(this);
    delegate->didStopHandler = [self, part, target](bool) {
        if (!self)
            return;
        colorOf(self->layer_, part) = target;
        colorOf(self->presentation_, part) = target;
        self->update();
    };
    connect(animation, &QVariantAnimation::valueChanged, this, [this, part](const QVariant& value) {
        colorOf(presentation_, part) = value.value<QColor>();
        update();
    });
    connect(animation, &QVariantAnimation::finished, delegate,
            [delegate] { delegate->animationDidStop(true); });
    if (QPointer<QVariantAnimation> running = animations_[part]) {
        running->stop();
        if (auto* previous = running->findChild<AnimationDelegate*>())
            previous->animationDidStop(false);
    }
    animations_[part] = animation;
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void CustomButton::setCornerRadius(double radius) {
    cornerRadius_ = radius;
    layer_.cornerRadius = presentation_.cornerRadius = radius;
    update();
}

void CustomButton::setHasContinuousCorners(bool continuous) {
    hasContinuousCorners_ = continuous;
    update();
}

void CustomButton::setBorderWidth(double width) {
    borderWidth_ = width;
    layer_.borderWidth = presentation_.borderWidth = width;
    update();
}

void CustomButton::setBorderColor(const QColor& color) {
    borderColor_ = color;
    layer_.border = presentation_.border = color;
    update();
}

void CustomButton::setActiveBorderColor(const QColor& color) {
    activeBorderColor_ = color;
    if (stateOn_)
        layer_.border = presentation_.border = color;
    update();
}

void CustomButton::setBackgroundColor(const QColor& color) {
    backgroundColor_ = color;
    layer_.background = presentation_.background = color;
    update();
}

void CustomButton::setActiveBackgroundColor(const QColor& color) {
    activeBackgroundColor_ = color;
    if (stateOn_)
        layer_.background = presentation_.background = color;
    update();
}

void CustomButton::setTextColor(const QColor& color) {
    textColor_ = color;
    layer_.title = presentation_.title = color;
    update();
}

void CustomButton::setActiveTextColor(const QColor& color) {
    activeTextColor_ = color;
    if (stateOn_)
        layer_.title = presentation_.title = color;
    update();
}

void CustomButton::setShadowRadius(double radius) {
    shadowRadius_ = radius;
    layer_.shadowRadius = presentation_.shadowRadius = radius;
    update();
}

void CustomButton::setActiveShadowRadius(double radius) {
    activeShadowRadius_ = radius;
    if (stateOn_)
        layer_.shadowRadius = presentation_.shadowRadius = radius;
    update();
}

void CustomButton::setShadowOpacity(double opacity) {
    shadowOpacity_ = opacity;
    layer_.shadowOpacity = presentation_.shadowOpacity = opacity;
    update();
}

void CustomButton::setActiveShadowOpacity(double opacity) {
    activeShadowOpacity_ = opacity;
    if (stateOn_)
        layer_.shadowOpacity = presentation_.shadowOpacity = opacity;
    update();
}

void CustomButton::setShadowColor(const QColor& color) {
    shadowColor_ = color;
    layer_.shadow = presentation_.shadow = color;
    update();
}

void CustomButton::setActiveShadowColor(const QColor& color) {
    activeShadowColor_ = color;
    if (stateOn_ && color.isValid())
        layer_.shadow = presentation_.shadow = color;
    update();
}

} // namespace wigglet
