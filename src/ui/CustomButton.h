#pragma once

#include "ui/TrackingArea.h"

#include <QColor>
#include <QPointer>
#include <QPushButton>
#include <QRectF>
#include <QVariantAnimation>
#include <map>
#include <memory>

namespace wigglet {

// A push button whose look is set entirely by properties (corners, border, background, shadow
// and title colour, each with a second value for the active state). It is active while its
// state is on: a press turns it on while the pointer is held inside and off on release, which
// sends the action once; a press dragged out is abandoned and sends nothing. Colour changes
// of the state animate (0.2 s into the active look, 0.1 s out of it). The look is kept as a
// model ("layer") and a presentation that the running animations move; painting reads the
// presentation only.
class CustomButton : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(double cornerRadius READ cornerRadius WRITE setCornerRadius)
    Q_PROPERTY(bool hasContinuousCorners READ hasContinuousCorners WRITE setHasContinuousCorners)
    Q_PROPERTY(double borderWidth READ borderWidth WRITE setBorderWidth)
    Q_PROPERTY(QColor borderColor READ borderColor WRITE setBorderColor)
    Q_PROPERTY(QColor activeBorderColor READ activeBorderColor WRITE setActiveBorderColor)
    Q_PROPERTY(QColor backgroundColor READ backgroundColor WRITE setBackgroundColor)
    Q_PROPERTY(
        QColor activeBackgroundColor READ activeBackgroundColor WRITE setActiveBackgroundColor)
    Q_PROPERTY(QColor textColor READ textColor WRITE setTextColor)
    Q_PROPERTY(QColor activeTextColor READ activeTextColor WRITE setActiveTextColor)
    Q_PROPERTY(double shadowRadius READ shadowRadius WRITE setShadowRadius)
    Q_PROPERTY(double activeShadowRadius READ activeShadowRadius WRITE setActiveShadowRadius)
    Q_PROPERTY(double shadowOpacity READ shadowOpacity WRITE setShadowOpacity)
    Q_PROPERTY(double activeShadowOpacity READ activeShadowOpacity WRITE setActiveShadowOpacity)
    Q_PROPERTY(QColor shadowColor READ shadowColor WRITE setShadowColor)
    Q_PROPERTY(QColor activeShadowColor READ activeShadowColor WRITE setActiveShadowColor)

  public:
    // What the button paints: the model values, or their animated presentation.
    struct Look {
        QColor background;
        QColor border;
        QColor shadow;
        QColor title;
        double cornerRadius = 0;
        double borderWidth = 0;
        double shadowRadius = 0;
        double shadowOpacity = 0;
    };

    explicit CustomButton(QWidget* parent = nullptr);
    explicit CustomButton(const QString& title, QWidget* parent = nullptr);
    // A round button of radius r centred on the point, titled in a font of size 2r / 3.
    static CustomButton* round(const QString& title, double r, QPointF center,
                               QWidget* parent = nullptr);

    bool stateOn() const { return stateOn_; }
    bool isMouseDown() const { return isMouseDown_; }
    const Look& layer() const { return layer_; }
    const Look& presentation() const { return presentation_; }
    // Where the title is drawn: centred, on whole points.
    QRectF titleRect() const;
    TrackingArea* trackingArea() const { return trackingArea_.get(); }

    // The press cycle, as the pointer drives it.
    void mouseDown();
    void mouseEntered();
    void mouseExited();
    void mouseUp();

    double cornerRadius() const { return cornerRadius_; }
    void setCornerRadius(double radius);
    bool hasContinuousCorners() const { return hasContinuousCorners_; }
    void setHasContinuousCorners(bool continuous);
    double borderWidth() const { return borderWidth_; }
    void setBorderWidth(double width);
    QColor borderColor() const { return borderColor_; }
    void setBorderColor(const QColor& color);
    QColor activeBorderColor() const { return activeBorderColor_; }
    void setActiveBorderColor(const QColor& color);
    QColor backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(const QColor& color);
    QColor activeBackgroundColor() const { return activeBackgroundColor_; }
    void setActiveBackgroundColor(const QColor& color);
    QColor textColor() const { return textColor_; }
    void setTextColor(const QColor& color);
    QColor activeTextColor() const { return activeTextColor_; }
    void setActiveTextColor(const QColor& color);
    double shadowRadius() const { return shadowRadius_; }
    void setShadowRadius(double radius);
    double activeShadowRadius() const { return activeShadowRadius_; }
    void setActiveShadowRadius(double radius);
    double shadowOpacity() const { return shadowOpacity_; }
    void setShadowOpacity(double opacity);
    double activeShadowOpacity() const { return activeShadowOpacity_; }
    void setActiveShadowOpacity(double opacity);
    QColor shadowColor() const { return shadowColor_; }
    void setShadowColor(const QColor& color);
    // Invalid means none: the inactive shadow colour applies.
    QColor activeShadowColor() const { return activeShadowColor_; }
    void setActiveShadowColor(const QColor& color);

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    enum class Part { Background, Border, Shadow, Title };

    void setup();
    void flipState();
    void animate();
    void animatePart(Part part, const QColor& target, int milliseconds);
    void updateTrackingAreas();
    static QColor& colorOf(Look& look, Part part);

    bool stateOn_ = false;
    bool isMouseDown_ = false;
    bool pointerInside_ = false;

    QColor textColor_;
    QColor activeTextColor_;
    double cornerRadius_ = 0;
    bool hasContinuousCorners_ = true;
    double borderWidth_ = 0;
    QColor borderColor_ = Qt::transparent;
    QColor activeBorderColor_ = Qt::transparent;
    QColor backgroundColor_ = Qt::transparent;
    QColor activeBackgroundColor_ = Qt::transparent;
    double shadowRadius_ = 0;
    double activeShadowRadius_ = -1;
    double shadowOpacity_ = 0;
    double activeShadowOpacity_ = -1;
    QColor shadowColor_ = Qt::transparent;
    QColor activeShadowColor_;

    Look layer_;
    Look presentation_;
    std::map<Part, QPointer<QVariantAnimation>> animations_;
    std::unique_ptr<TrackingArea> trackingArea_;
};

} // namespace wigglet
