#pragma once

#include <QObject>
#include <functional>

namespace wigglet {

// Hears when one property animation of a CustomButton stops, finished or replaced, and runs
// its handler; the handler puts the final value in place.
class AnimationDelegate final : public QObject {
    Q_OBJECT

  public:
    using QObject::QObject;

    void animationDidStop(bool finished) {
        if (didStopHandler)
            didStopHandler(finished);
    }

    std::function<void(bool finished)> didStopHandler;
};

} // namespace wigglet
