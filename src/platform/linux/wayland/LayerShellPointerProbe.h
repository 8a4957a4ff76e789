#pragma once

#include "platform/Geometry.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

struct wl_compositor;
struct wl_shm;
struct wl_output;
struct wl_pointer;
struct wl_surface;
struct wl_buffer;
struct zwlr_layer_shell_v1;
struct zwlr_layer_surface_v1;

namespace wigglet::desktop {

class WaylandConnection;
class WaylandSeat;

// Finds the pointer on compositors that do not tell clients where it is: a transparent
// overlay over each output, which the pointer enters at once, is shown for a moment and
// taken down again. The answer is in the compositor's coordinates (origin top-left).
class LayerShellPointerProbe {
  public:
    // KWin maps the overlay at its next frame, which a loaded machine can delay well past
    // 50 ms; sway answers at once, and the wait ends with the answer.
    static constexpr int answerWithinMs = 250;

    LayerShellPointerProbe(WaylandConnection& connection, WaylandSeat& seat);
    ~LayerShellPointerProbe();
    LayerShellPointerProbe(const LayerShellPointerProbe&) = delete;
    LayerShellPointerProbe& operator=(const LayerShellPointerProbe&) = delete;

    bool available() const { return shell_ && compositor_ && shm_ && !outputs_.empty(); }
    // Absent when the compositor did not answer in time.
    std::optional<Point> pointer();

    struct Output {
        wl_output* output = nullptr;
        std::int32_t x = 0;
        std::int32_t y = 0;
        wl_surface* surface = nullptr;
        zwlr_layer_surface_v1* layer = nullptr;
        wl_buffer* buffer = nullptr;
        std::uint32_t width = 0;
        std::uint32_t height = 0;
    };
    void configure(Output& output, std::uint32_t serial, std::uint32_t width, std::uint32_t height);
    void entered(wl_surface* surface, double x, double y);

  private:
    void ensurePointer();
    void show(Output& output);
    void takeDown(Output& output);
    wl_buffer* transparentBuffer(std::uint32_t width, std::uint32_t height);

    WaylandConnection& connection_;
    WaylandSeat& seat_;
    wl_compositor* compositor_ = nullptr;
    wl_shm* shm_ = nullptr;
    zwlr_layer_shell_v1* shell_ = nullptr;
    wl_pointer* pointer_ = nullptr;
    std::vector<std::unique_ptr<Output>> outputs_;
    std::optional<Point> found_;
};

} // namespace wigglet::desktop
