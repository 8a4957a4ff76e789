#pragma once

#include "platform/HotKeyService.h"
#include "platform/linux/x11/XKeymap.h"

#include <memory>
#include <optional>
#include <vector>

union _XEvent;

namespace wigglet::desktop {

class XConnection;

// Status codes of a refused registration, as the hot-key registry of the system names them.
inline constexpr std::int32_t eventHotKeyExistsErr = -9878;
inline constexpr std::int32_t eventHotKeyInvalidErr = -9879;

// Global shortcuts as passive key grabs on the root window. Each combination is grabbed also
// with Caps Lock and Num Lock on, since X matches modifier state exactly. Pressed and
// released events reach the handler through deliver(); auto-repeat is not passed on.
class XGrabHotKeyService : public HotKeyService {
  public:
    explicit XGrabHotKeyService(XConnection* connection);
    ~XGrabHotKeyService() override;

  protected:
    std::int32_t doRegister(std::uint32_t keyCode, std::uint32_t carbonModifiers,
                            HotKeyID id) override;
    void doUnregister(HotKeyID id) override;

  private:
    struct Grab {
        HotKeyID id;
        unsigned keycode = 0;
        unsigned modifiers = 0;
    };

    unsigned xModifiers(std::uint32_t carbonModifiers) const;
    std::vector<unsigned> lockVariants() const;
    bool grab(const Grab& grab);
    void ungrab(const Grab& grab);
    const Grab* find(unsigned keycode, unsigned state) const;
    void onEvent(const _XEvent& event);
    bool isAutoRepeatRelease(const _XEvent& event);
    void send(int kind, const Grab& grab);

    XConnection* connection_;
    std::unique_ptr<XKeymap> keymap_;
    int listener_ = 0;
    bool detectableAutoRepeat_ = false;
    std::vector<Grab> grabs_;
    std::optional<Grab> down_;
};

} // namespace wigglet::desktop
