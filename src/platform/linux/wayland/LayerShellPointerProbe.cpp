#include "platform/linux/wayland/LayerShellPointerProbe.h"

#include "platform/linux/wayland/WaylandConnection.h"
#include "platform/linux/wayland/WaylandSeat.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <wlr-layer-shell-unstable-v1-client-protocol.h>

namespace wigglet::desktop {

namespace {

using Output = LayerShellPointerProbe::Output;

const wl_output_listener outputListener = {
    .geometry =
        [](void* data, wl_output*, std::int32_t x, std::int32_t y, std::int32_t, std::int32_t,
           std::int32_t, const char*, const char*, std::int32_t) {
            auto* output = static_cast<Output*>(data);
            output->x = x;
            output->y = y;
        },
    .mode = [](void*, wl_output*, std::uint32_t, std::int32_t, std::int32_t, std::int32_t) {},
    .done = [](void*, wl_output*) {},
    .scale = [](void*, wl_output*, std::int32_t) {},
    .name = [](void*, wl_output*, const char*) {},
    .description = [](void*, wl_output*, const char*) {},
};

struct LayerData {
    LayerShellPointerProbe* probe;
    Output* output;
};

const wl_pointer_listener pointerListener = {
    .enter =
        [](void* data, wl_pointer*, std::uint32_t, wl_surface* surface, wl_fixed_t x,
           wl_fixed_t y) {
            static_cast<LayerShellPointerProbe*>(data)->entered(surface, wl_fixed_to_double(x),
                                                                wl_fixed_to_double(y));
        },
    .leave = [](void*, wl_pointer*, std::uint32_t, wl_surface*) {},
    .motion = [](void*, wl_pointer*, std::uint32_t, wl_fixed_t, wl_fixed_t) {},
    .button = [](void*, wl_pointer*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t) {},
    .axis = [](void*, wl_pointer*, std::uint32_t, std::uint32_t, wl_fixed_t) {},
    .frame = [](void*, wl_pointer*) {},
    .axis_source = [](void*, wl_pointer*, std::uint32_t) {},
    .axis_stop = [](void*, wl_pointer*, std::uint32_t, std::uint32_t) {},
    .axis_discrete = [](void*, wl_pointer*, std::uint32_t, std::int32_t) {},
    .axis_value120 = [](void*, wl_pointer*, std::uint32_t, std::int32_t) {},
};

const zwlr_layer_surface_v1_listener layerListener = {
    .configure =
        [](void* data, zwlr_layer_surface_v1*, std::uint32_t serial, std::uint32_t width,
           std::uint32_t height) {
            auto* layer = static_cast<LayerData*>(data);
            layer->probe->configure(*layer->output, serial, width, height);
        },
    .closed = [](void*, zwlr_layer_surface_v1*) {},
};

} // namespace

LayerShellPointerProbe::LayerShellPointerProbe(WaylandConnection& connection, WaylandSeat& seat)
    : connection_(connection), seat_(seat) {
    shell_ = static_cast<zwlr_layer_shell_v1*>(connection.bind(zwlr_layer_shell_v1_interface, 1));
    compositor_ = static_cast<wl_compositor*>(connection.bind(wl_compositor_interface, 4));
    shm_ = static_cast<wl_shm*>(connection.bind(wl_shm_interface, 1));
    for (void* bound : connection.bindAll(wl_output_interface, 2)) {
        auto output = std::make_unique<Output>();
        output->output = static_cast<wl_output*>(bound);
        wl_output_add_listener(output->output, &outputListener, output.get());
        outputs_.push_back(std::move(output));
    }
    connection.roundtrip();
}

LayerShellPointerProbe::~LayerShellPointerProbe() {
    for (auto& output : outputs_) {
        takeDown(*output);
        if (output->buffer)
            wl_buffer_destroy(output->buffer);
        wl_output_destroy(output->output);
    }
    if (pointer_)
        wl_pointer_destroy(pointer_);
    if (shell_)
        wl_proxy_destroy(reinterpret_cast<wl_proxy*>(shell_));
    if (shm_)
        wl_shm_destroy(shm_);
    if (compositor_)
        wl_compositor_destroy(compositor_);
}

void LayerShellPointerProbe::ensurePointer() {
    // The seat has a pointer only once some device, ours included, is there.
    if (!pointer_ && seat_.hasPointer()) {
        pointer_ = wl_seat_get_pointer(seat_.seat());
        wl_pointer_add_listener(pointer_, &pointerListener, this);
    }
}

std::optional<Point> LayerShellPointerProbe::pointer() {
    ensurePointer();
    if (!available() || !pointer_)
        return std::nullopt;
    found_.reset();
    for (auto& output : outputs_)
        show(*output);
    connection_.dispatchUntil([this] { return found_.has_value(); }, answerWithinMs);
    for (auto& output : outputs_)
        takeDown(*output);
    connection_.flush();
    return found_;
}

void LayerShellPointerProbe::show(Output& output) {
    output.surface = wl_compositor_create_surface(compositor_);
    output.layer = zwlr_layer_shell_v1_get_layer_surface(shell_, output.surface, output.output,
                                                         ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY,
                                                         "wigglet-pointer-probe");
    auto* data = new LayerData{this, &output};
    zwlr_layer_surface_v1_add_listener(output.layer, &layerListener, data);
    zwlr_layer_surface_v1_set_anchor(
        output.layer, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                          ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
    zwlr_layer_surface_v1_set_exclusive_zone(output.layer, -1);
    zwlr_layer_surface_v1_set_keyboard_interactivity(output.layer, 0);
    wl_surface_commit(output.surface);
}

void LayerShellPointerProbe::takeDown(Output& output) {
    if (output.layer) {
        delete static_cast<LayerData*>(
            wl_proxy_get_user_data(reinterpret_cast<wl_proxy*>(output.layer)));
        zwlr_layer_surface_v1_destroy(output.layer);
        output.layer = nullptr;
    }
    if (output.surface) {
        wl_surface_destroy(output.surface);
        output.surface = nullptr;
    }
}

void LayerShellPointerProbe::configure(Output& output, std::uint32_t serial, std::uint32_t width,
                                       std::uint32_t height) {
    zwlr_layer_surface_v1_ack_configure(output.layer, serial);
    if (width == 0 || height == 0)
        return;
    if (!output.buffer || output.width != width || output.height != height) {
        if (output.buffer)
            wl_buffer_destroy(output.buffer);
        output.buffer = transparentBuffer(width, height);
        output.width = width;
        output.height = height;
    }
    if (!output.buffer)
        return;
    wl_surface_attach(output.surface, output.buffer, 0, 0);
    wl_surface_commit(output.surface);
    connection_.flush();
}

void LayerShellPointerProbe::entered(wl_surface* surface, double x, double y) {
    for (const auto& output : outputs_)
        if (output->surface && output->surface == surface)
            found_ = Point{output->x + x, output->y + y};
}

wl_buffer* LayerShellPointerProbe::transparentBuffer(std::uint32_t width, std::uint32_t height) {
    const std::int32_t stride = static_cast<std::int32_t>(width) * 4;
    const std::int32_t size = stride * static_cast<std::int32_t>(height);
    const int fd = ::memfd_create("wigglet-probe", MFD_CLOEXEC);
    if (fd < 0)
        return nullptr;
    // A new file reads as zeros: every pixel fully transparent.
    if (::ftruncate(fd, size) != 0) {
        ::close(fd);
        return nullptr;
    }
    wl_shm_pool* pool = wl_shm_create_pool(shm_, fd, size);
    wl_buffer* buffer = wl_shm_pool_create_buffer(pool, 0, static_cast<std::int32_t>(width),
                                                  static_cast<std::int32_t>(height), stride,
                                                  WL_SHM_FORMAT_ARGB8888);
    wl_shm_pool_destroy(pool);
    ::close(fd);
    return buffer;
}

} // namespace wigglet::desktop
