#include "platform/linux/x11/XGrabHotKeyService.h"

#include "platform/ModifierFlags.h"
#include "platform/linux/x11/VirtualKeyTable.h"
#include "platform/linux/x11/XConnection.h"
#include "platform/linux/x11/XErrorTrap.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <algorithm>

namespace wigglet::desktop {

namespace {

constexpr unsigned keyStateModifiers =
    ShiftMask | LockMask | ControlMask | Mod1Mask | Mod2Mask | Mod3Mask | Mod4Mask | Mod5Mask;

bool sameID(HotKeyID a, HotKeyID b) {
    return a.signature == b.signature && a.id == b.id;
}

} // namespace

XGrabHotKeyService::XGrabHotKeyService(XConnection* connection) : connection_(connection) {
    if (!connection_)
        return;
    keymap_ = std::make_unique<XKeymap>(connection_->display());
    Bool supported = False;
    // Held keys then repeat as presses alone, without a release before each.
    XkbSetDetectableAutoRepeat(connection_->display(), True, &supported);
    detectableAutoRepeat_ = supported;
    listener_ = connection_->addListener([this](const XEvent& event) { onEvent(event); });
}

XGrabHotKeyService::~XGrabHotKeyService() {
    if (!connection_)
        return;
    connection_->removeListener(listener_);
    for (const Grab& grab : grabs_)
        ungrab(grab);
    XFlush(connection_->display());
}

unsigned XGrabHotKeyService::xModifiers(std::uint32_t carbonModifiers) const {
    auto maskOr = [this](std::uint32_t keysym, unsigned fallback) {
        const unsigned mask = keymap_->modifierMaskFor(keysym);
        return mask ? mask : fallback;
    };
    unsigned modifiers = 0;
    if (carbonModifiers & (carbonModifier::shiftKey | carbonModifier::rightShiftKey))
        modifiers |= ShiftMask;
    if (carbonModifiers & (carbonModifier::controlKey | carbonModifier::rightControlKey))
        modifiers |= ControlMask;
    if (carbonModifiers & (carbonModifier::optionKey | carbonModifier::rightOptionKey))
        modifiers |= maskOr(XK_Alt_L, Mod1Mask);
    if (carbonModifiers & carbonModifier::cmdKey)
        modifiers |= maskOr(XK_Super_L, Mod4Mask);
    return modifiers;
}

std::vector<unsigned> XGrabHotKeyService::lockVariants() const {
    const unsigned numLock = keymap_->modifierMaskFor(XK_Num_Lock);
    if (!numLock)
        return {0, LockMask};
    return {0, LockMask, numLock, LockMask | numLock};
}

std::int32_t XGrabHotKeyService::doRegister(std::uint32_t keyCode, std::uint32_t carbonModifiers,
                                            HotKeyID id) {
    if (!connection_)
        return eventHotKeyInvalidErr;
    doUnregister(id);
    const auto keysym = VirtualKeyTable::keysymFor(static_cast<std::uint16_t>(keyCode));
    const auto keycode =
        keysym ? keymap_->keycodeFor(*keysym, XKeymap::WhenMissing::Fail) : std::nullopt;
    if (!keycode)
        return eventHotKeyInvalidErr;
    const Grab wanted{id, *keycode, xModifiers(carbonModifiers)};
    if (find(wanted.keycode, wanted.modifiers))
        return eventHotKeyExistsErr;
    if (!grab(wanted))
        return eventHotKeyExistsErr;
    grabs_.push_back(wanted);
    return noErr;
}

void XGrabHotKeyService::doUnregister(HotKeyID id) {
    const auto it = std::find_if(grabs_.begin(), grabs_.end(),
                                 [id](const Grab& grab) { return sameID(grab.id, id); });
    if (it == grabs_.end())
        return;
    ungrab(*it);
    XFlush(connection_->display());
    if (down_ && sameID(down_->id, id))
        down_.reset();
    grabs_.erase(it);
}

bool XGrabHotKeyService::grab(const Grab& grab) {
    Display* display = connection_->display();
    XErrorTrap trap(display);
    for (const unsigned variant : lockVariants())
        XGrabKey(display, static_cast<int>(grab.keycode), grab.modifiers | variant,
                 connection_->rootWindow(), False, GrabModeAsync, GrabModeAsync);
    // Another client holding any variant refuses the lot (BadAccess); the variants that did
    // succeed are given back so that no half grab stays behind.
    if (!trap.firstError())
        return true;
    ungrab(grab);
    return false;
}

void XGrabHotKeyService::ungrab(const Grab& grab) {
    Display* display = connection_->display();
    XErrorTrap trap(display);
    for (const unsigned variant : lockVariants())
        XUngrabKey(display, static_cast<int>(grab.keycode), grab.modifiers | variant,
                   connection_->rootWindow());
}

const XGrabHotKeyService::Grab* XGrabHotKeyService::find(unsigned keycode, unsigned state) const {
    unsigned locks = LockMask;
    for (const unsigned variant : lockVariants())
        locks |= variant;
    const unsigned modifiers = state & keyStateModifiers & ~locks;
    for (const Grab& grab : grabs_)
        if (grab.keycode == keycode && grab.modifiers == modifiers)
            return &grab;
    return nullptr;
}

void XGrabHotKeyService::onEvent(const XEvent& event) {
    if (event.type == KeyPress) {
        const Grab* grab = find(event.xkey.keycode, event.xkey.state);
        // A key held down repeats its press; only the first one counts.
        if (!grab || (down_ && sameID(down_->id, grab->id)))
            return;
        down_ = *grab;
        send(kEventHotKeyPressed, *grab);
    } else if (event.type == KeyRelease) {
        // The release comes with whatever modifiers are still held, so only the key counts.
        if (!down_ || down_->keycode != event.xkey.keycode || isAutoRepeatRelease(event))
            return;
        const Grab released = *down_;
        down_.reset();
        send(kEventHotKeyReleased, released);
    }
}

bool XGrabHotKeyService::isAutoRepeatRelease(const XEvent& event) {
    if (detectableAutoRepeat_)
        return false;
    // Without detectable auto-repeat a repeat is a release and a press with the same time.
    Display* display = connection_->display();
    if (XEventsQueued(display, QueuedAfterReading) == 0)
        return false;
    XEvent next;
    XPeekEvent(display, &next);
    return next.type == KeyPress && next.xkey.keycode == event.xkey.keycode &&
           next.xkey.time == event.xkey.time;
}

void XGrabHotKeyService::send(int kind, const Grab& grab) {
    const HotKeyEvent event{kind, grab.id, true};
    deliver(&event);
}

} // namespace wigglet::desktop
