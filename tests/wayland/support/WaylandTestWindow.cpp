#include "support/WaylandTestWindow.h"

#include <cstring>
#include <kde-fake-input-client-protocol.h>
#include <sstream>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <wlr-virtual-pointer-unstable-v1-client-protocol.h>
#include <xdg-shell-client-protocol.h>

namespace wigglet::testing {

struct WaylandTestWindow::State {
    wl_display* display = nullptr;
    wl_registry* registry = nullptr;
    wl_compositor* compositor = nullptr;
    wl_shm* shm = nullptr;
    wl_seat* seat = nullptr;
    xdg_wm_base* shell = nullptr;
    zwlr_virtual_pointer_manager_v1* pointers = nullptr;
    zwlr_virtual_pointer_v1* hand = nullptr;
    // KWin's route for the user's hand, where the wlroots one is missing.
    org_kde_kwin_fake_input* kdeHand = nullptr;
    wl_surface* surface = nullptr;
    xdg_surface* xdgSurface = nullptr;
    xdg_toplevel* toplevel = nullptr;
    wl_buffer* buffer = nullptr;
    wl_pointer* pointer = nullptr;
    wl_keyboard* keyboard = nullptr;
    int width = 0;
    int height = 0;
    bool configured = false;
    std::vector<std::string> events;

    // Every proxy destroyed before the connection closes: libwayland frees only those.
    ~State() {
        if (!display)
            return;
        destroy(hand, zwlr_virtual_pointer_v1_destroy);
        destroy(kdeHand, org_kde_kwin_fake_input_destroy);
        destroy(pointers, zwlr_virtual_pointer_manager_v1_destroy);
        destroy(pointer, wl_pointer_release);
        destroy(keyboard, wl_keyboard_release);
        destroy(toplevel, xdg_toplevel_destroy);
        destroy(xdgSurface, xdg_surface_destroy);
        destroy(surface, wl_surface_destroy);
        destroy(buffer, wl_buffer_destroy);
        destroy(shell, xdg_wm_base_destroy);
        destroy(seat, wl_seat_release);
        destroy(shm, wl_shm_destroy);
        destroy(compositor, wl_compositor_destroy);
        destroy(registry, wl_registry_destroy);
        wl_display_disconnect(display);
    }

    template <typename Proxy> static void destroy(Proxy* proxy, void (*how)(Proxy*)) {
        if (proxy)
            how(proxy);
    }
};

namespace {

using State = WaylandTestWindow::State;

State* stateOf(void* data) {
    return static_cast<State*>(data);
}

// Writes down one line of what reached the window.
template <typename... Parts> void sayLine(void* data, const Parts&... parts) {
    std::ostringstream line;
    (line << ... << parts);
    stateOf(data)->events.push_back(line.str());
}

// A listener entry for events the window does not write down.
constexpr auto ignoreEvent = [](auto...) {};

std::string point(wl_fixed_t x, wl_fixed_t y) {
    const auto number = [](wl_fixed_t value) {
        const double d = wl_fixed_to_double(value);
        return d == static_cast<int>(d) ? std::to_string(static_cast<int>(d)) : std::to_string(d);
    };
    return number(x) + "," + number(y);
}

const char* pressed(std::uint32_t state) {
    return state ? " pressed" : " released";
}

using WlUint = std::uint32_t;

const wl_pointer_listener pointerListener = {
    .enter = [](void* data, wl_pointer*, WlUint, wl_surface*, wl_fixed_t x,
                wl_fixed_t y) { sayLine(data, "enter ", point(x, y)); },
    .leave = [](void* data, wl_pointer*, WlUint, wl_surface*) { sayLine(data, "leave"); },
    .motion = [](void* data, wl_pointer*, WlUint, wl_fixed_t x,
                 wl_fixed_t y) { sayLine(data, "motion ", point(x, y)); },
    .button = [](void* data, wl_pointer*, WlUint, WlUint, WlUint button,
                 WlUint state) { sayLine(data, "button ", button, pressed(state)); },
    .axis = [](void* data, wl_pointer*, WlUint, WlUint axis,
               wl_fixed_t value) { sayLine(data, "axis ", axis, " ", wl_fixed_to_int(value)); },
    .frame = ignoreEvent,
    .axis_source = ignoreEvent,
    .axis_stop = ignoreEvent,
    .axis_discrete = [](void* data, wl_pointer*, WlUint axis,
                        std::int32_t discrete) { sayLine(data, "discrete ", axis, " ", discrete); },
    .axis_value120 = ignoreEvent,
};

const wl_keyboard_listener keyboardListener = {
    .keymap = [](void*, wl_keyboard*, WlUint, int fd, WlUint) { ::close(fd); },
    .enter = ignoreEvent,
    .leave = ignoreEvent,
    .key = [](void* data, wl_keyboard*, WlUint, WlUint, WlUint key,
              WlUint state) { sayLine(data, "key ", key, pressed(state)); },
    .modifiers = [](void* data, wl_keyboard*, WlUint, WlUint depressed, WlUint, WlUint,
                    WlUint) { sayLine(data, "modifiers ", depressed); },
    .repeat_info = ignoreEvent,
};

const wl_seat_listener seatListener = {
    .capabilities =
        [](void* data, wl_seat* seat, std::uint32_t capabilities) {
            State* state = stateOf(data);
            // mutter's pointer comes and goes with each remote-desktop session.
            if (!(capabilities & WL_SEAT_CAPABILITY_POINTER) && state->pointer) {
                wl_pointer_release(state->pointer);
                state->pointer = nullptr;
            }
            if ((capabilities & WL_SEAT_CAPABILITY_POINTER) && !state->pointer) {
                state->pointer = wl_seat_get_pointer(seat);
                wl_pointer_add_listener(state->pointer, &pointerListener, state);
            }
            if ((capabilities & WL_SEAT_CAPABILITY_KEYBOARD) && !state->keyboard) {
                state->keyboard = wl_seat_get_keyboard(seat);
                wl_keyboard_add_listener(state->keyboard, &keyboardListener, state);
            }
        },
    .name = ignoreEvent,
};

const xdg_wm_base_listener shellListener = {
    .ping = [](void*, xdg_wm_base* shell,
               std::uint32_t serial) { xdg_wm_base_pong(shell, serial); },
};

const xdg_toplevel_listener toplevelListener = {
    .configure =
        [](void* data, xdg_toplevel*, std::int32_t width, std::int32_t height, wl_array*) {
            if (width > 0 && height > 0) {
                stateOf(data)->width = width;
                stateOf(data)->height = height;
            }
        },
    .close = ignoreEvent,
    .configure_bounds = ignoreEvent,
    .wm_capabilities = ignoreEvent,
};

wl_buffer* whiteBuffer(wl_shm* shm, int width, int height) {
    const int stride = width * 4;
    const int size = stride * height;
    const int fd = ::memfd_create("test-window", MFD_CLOEXEC);
    if (fd < 0 || ::ftruncate(fd, size) != 0)
        return nullptr;
    void* pixels = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    std::memset(pixels, 0xff, size);
    ::munmap(pixels, size);
    wl_shm_pool* pool = wl_shm_create_pool(shm, fd, size);
    wl_buffer* buffer =
        wl_shm_pool_create_buffer(pool, 0, width, height, stride, WL_SHM_FORMAT_ARGB8888);
    wl_shm_pool_destroy(pool);
    ::close(fd);
    return buffer;
}

const xdg_surface_listener surfaceListener = {
    .configure =
        [](void* data, xdg_surface* surface, std::uint32_t serial) {
            State* state = stateOf(data);
            xdg_surface_ack_configure(surface, serial);
            // A first configure may leave the size to us: the whole output, as fullscreen.
            if (state->width == 0) {
                state->width = 1920;
                state->height = 1080;
            }
            if (!state->buffer) {
                state->buffer = whiteBuffer(state->shm, state->width, state->height);
                wl_surface_attach(state->surface, state->buffer, 0, 0);
            }
            wl_surface_commit(state->surface);
            state->configured = true;
        },
};

void onGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
              std::uint32_t) {
    State* state = stateOf(data);
    const std::string which = interface;
    if (which == wl_compositor_interface.name)
        state->compositor = static_cast<wl_compositor*>(
            wl_registry_bind(registry, name, &wl_compositor_interface, 4));
    else if (which == wl_shm_interface.name)
        state->shm = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
    else if (which == wl_seat_interface.name && !state->seat)
        state->seat =
            static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 5));
    else if (which == xdg_wm_base_interface.name)
        state->shell =
            static_cast<xdg_wm_base*>(wl_registry_bind(registry, name, &xdg_wm_base_interface, 1));
    else if (which == org_kde_kwin_fake_input_interface.name) {
        state->kdeHand = static_cast<org_kde_kwin_fake_input*>(
            wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 1));
        org_kde_kwin_fake_input_authenticate(state->kdeHand, "Wigglet tests", "the user's hand");
    } else if (which == zwlr_virtual_pointer_manager_v1_interface.name)
        state->pointers = static_cast<zwlr_virtual_pointer_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
}

const wl_registry_listener registryListener = {
    .global = onGlobal,
    .global_remove = ignoreEvent,
};

} // namespace

WaylandTestWindow::WaylandTestWindow(std::unique_ptr<State> state) : state_(std::move(state)) {}

std::unique_ptr<WaylandTestWindow> WaylandTestWindow::open(const std::string& socket) {
    auto state = std::make_unique<State>();
    state->display = wl_display_connect(socket.c_str());
    if (!state->display)
        return nullptr;
    state->registry = wl_display_get_registry(state->display);
    wl_registry_add_listener(state->registry, &registryListener, state.get());
    wl_display_roundtrip(state->display);
    if (!state->compositor || !state->shm || !state->shell || !state->seat)
        return nullptr;
    wl_seat_add_listener(state->seat, &seatListener, state.get());
    xdg_wm_base_add_listener(state->shell, &shellListener, state.get());
    state->surface = wl_compositor_create_surface(state->compositor);
    state->xdgSurface = xdg_wm_base_get_xdg_surface(state->shell, state->surface);
    xdg_surface_add_listener(state->xdgSurface, &surfaceListener, state.get());
    state->toplevel = xdg_surface_get_toplevel(state->xdgSurface);
    xdg_toplevel_add_listener(state->toplevel, &toplevelListener, state.get());
    xdg_toplevel_set_fullscreen(state->toplevel, nullptr);
    wl_surface_commit(state->surface);
    for (int i = 0; i < 50 && !state->buffer; ++i)
        wl_display_roundtrip(state->display);
    if (!state->buffer)
        return nullptr;
    if (state->pointers)
        state->hand =
            zwlr_virtual_pointer_manager_v1_create_virtual_pointer(state->pointers, state->seat);
    wl_display_roundtrip(state->display);
    return std::unique_ptr<WaylandTestWindow>(new WaylandTestWindow(std::move(state)));
}

WaylandTestWindow::~WaylandTestWindow() = default;

void WaylandTestWindow::sync() {
    wl_display_roundtrip(state_->display);
    wl_display_roundtrip(state_->display);
}

const std::vector<std::string>& WaylandTestWindow::events() const {
    return state_->events;
}

void WaylandTestWindow::clear() {
    state_->events.clear();
}

void WaylandTestWindow::moveUserPointer() {
    if (state_->hand) {
        zwlr_virtual_pointer_v1_motion(state_->hand, 0, wl_fixed_from_int(3), wl_fixed_from_int(0));
        zwlr_virtual_pointer_v1_frame(state_->hand);
    } else if (state_->kdeHand) {
        org_kde_kwin_fake_input_pointer_motion(state_->kdeHand, wl_fixed_from_int(3),
                                               wl_fixed_from_int(0));
    }
    wl_display_roundtrip(state_->display);
}

} // namespace wigglet::testing
