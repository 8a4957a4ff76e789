#include "platform/linux/wayland/WaylandVirtualKeyboard.h"

#include "platform/linux/wayland/WaylandConnection.h"
#include "platform/linux/wayland/WaylandSeat.h"

#include <cstring>
#include <memory>
#include <sys/mman.h>
#include <unistd.h>
#include <virtual-keyboard-unstable-v1-client-protocol.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

namespace wigglet::desktop {

namespace {

constexpr int keymapWaitMs = 500;

const wl_keyboard_listener keyboardListener = {
    .keymap =
        [](void* data, wl_keyboard*, std::uint32_t format, int fd, std::uint32_t size) {
            static_cast<WaylandVirtualKeyboard*>(data)->takeKeymap(format, fd, size);
        },
    .enter = [](void*, wl_keyboard*, std::uint32_t, wl_surface*, wl_array*) {},
    .leave = [](void*, wl_keyboard*, std::uint32_t, wl_surface*) {},
    .key = [](void*, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t) {},
    .modifiers = [](void*, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t,
                    std::uint32_t) {},
    .repeat_info = [](void*, wl_keyboard*, std::int32_t, std::int32_t) {},
};

struct ContextFree {
    void operator()(xkb_context* context) const { xkb_context_unref(context); }
};
struct KeymapFree {
    void operator()(xkb_keymap* keymap) const { xkb_keymap_unref(keymap); }
};

// The keymap xkbcommon makes from the XKB_DEFAULT_* environment, as text.
std::string defaultKeymap(xkb_context* context) {
    const xkb_rule_names names{};
    std::unique_ptr<xkb_keymap, KeymapFree> keymap(
        xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS));
    if (!keymap)
        return {};
    std::unique_ptr<char, decltype(&::free)> text(
        xkb_keymap_get_as_string(keymap.get(), XKB_KEYMAP_FORMAT_TEXT_V1), &::free);
    return text ? std::string(text.get()) : std::string();
}

} // namespace

WaylandVirtualKeyboard::WaylandVirtualKeyboard(WaylandConnection& connection, WaylandSeat& seat) {
    manager_ = static_cast<zwp_virtual_keyboard_manager_v1*>(
        connection.bind(zwp_virtual_keyboard_manager_v1_interface, 1));
    if (!manager_ || !seat.seat())
        return;
    std::unique_ptr<xkb_context, ContextFree> context(xkb_context_new(XKB_CONTEXT_NO_FLAGS));
    if (!context)
        return;
    std::string text = seatKeymap(connection, seat);
    if (text.empty())
        text = defaultKeymap(context.get());
    std::unique_ptr<xkb_keymap, KeymapFree> keymap(xkb_keymap_new_from_string(
        context.get(), text.c_str(), XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS));
    if (!keymap)
        return;
    const char* names[] = {XKB_MOD_NAME_SHIFT, XKB_MOD_NAME_CTRL, XKB_MOD_NAME_ALT,
                           XKB_MOD_NAME_LOGO};
    for (int i = 0; i < 4; ++i) {
        const xkb_mod_index_t index = xkb_keymap_mod_get_index(keymap.get(), names[i]);
        masks_[i] = index == XKB_MOD_INVALID ? 0 : 1u << index;
    }
    keyboard_ = zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(manager_, seat.seat());
    if (!upload(text)) {
        zwp_virtual_keyboard_v1_destroy(keyboard_);
        keyboard_ = nullptr;
    }
    connection.flush();
}

WaylandVirtualKeyboard::~WaylandVirtualKeyboard() {
    if (keyboard_)
        zwp_virtual_keyboard_v1_destroy(keyboard_);
    if (manager_)
        wl_proxy_destroy(reinterpret_cast<wl_proxy*>(manager_));
}

std::string WaylandVirtualKeyboard::seatKeymap(WaylandConnection& connection, WaylandSeat& seat) {
    if (!seat.hasKeyboard())
        return {};
    wl_keyboard* keyboard = wl_seat_get_keyboard(seat.seat());
    wl_keyboard_add_listener(keyboard, &keyboardListener, this);
    connection.dispatchUntil([this] { return keymapArrived_; }, keymapWaitMs);
    if (wl_keyboard_get_version(keyboard) >= WL_KEYBOARD_RELEASE_SINCE_VERSION)
        wl_keyboard_release(keyboard);
    else
        wl_keyboard_destroy(keyboard);
    return receivedKeymap_;
}

void WaylandVirtualKeyboard::takeKeymap(std::uint32_t format, int fd, std::uint32_t size) {
    keymapArrived_ = true;
    if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 && size > 0) {
        void* map = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        if (map != MAP_FAILED) {
            const char* text = static_cast<const char*>(map);
            receivedKeymap_.assign(text, strnlen(text, size));
            ::munmap(map, size);
        }
    }
    ::close(fd);
}

bool WaylandVirtualKeyboard::upload(const std::string& keymap) {
    const int fd = ::memfd_create("wigglet-keymap", MFD_CLOEXEC);
    if (fd < 0)
        return false;
    const std::size_t size = keymap.size() + 1;
    bool written = ::ftruncate(fd, static_cast<off_t>(size)) == 0 &&
                   ::pwrite(fd, keymap.c_str(), size, 0) == static_cast<ssize_t>(size);
    if (written)
        zwp_virtual_keyboard_v1_keymap(keyboard_, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd,
                                       static_cast<std::uint32_t>(size));
    ::close(fd);
    return written;
}

void WaylandVirtualKeyboard::key(std::uint32_t evdev, bool down) {
    if (!keyboard_)
        return;
    zwp_virtual_keyboard_v1_key(keyboard_, WaylandConnection::timestamp(), evdev,
                                down ? WL_KEYBOARD_KEY_STATE_PRESSED
                                     : WL_KEYBOARD_KEY_STATE_RELEASED);
}

void WaylandVirtualKeyboard::holdModifiers(std::uint32_t modifiers) {
    if (!keyboard_)
        return;
    std::uint32_t depressed = 0;
    for (int i = 0; i < 4; ++i)
        if (modifiers & (1u << i))
            depressed |= masks_[i];
    zwp_virtual_keyboard_v1_modifiers(keyboard_, depressed, 0, 0, 0);
}

} // namespace wigglet::desktop
