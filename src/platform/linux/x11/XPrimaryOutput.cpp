#include "platform/linux/x11/XPrimaryOutput.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

namespace wigglet::desktop {

namespace {

std::optional<RootRect> crtcRect(Display* display, XRRScreenResources* resources, RROutput output) {
    XRROutputInfo* info = XRRGetOutputInfo(display, resources, output);
    if (!info)
        return std::nullopt;
    std::optional<RootRect> rect;
    if (info->connection == RR_Connected && info->crtc) {
        if (XRRCrtcInfo* crtc = XRRGetCrtcInfo(display, resources, info->crtc)) {
            if (crtc->width > 0 && crtc->height > 0)
                rect = RootRect{crtc->x, crtc->y, static_cast<int>(crtc->width),
                                static_cast<int>(crtc->height)};
            XRRFreeCrtcInfo(crtc);
        }
    }
    XRRFreeOutputInfo(info);
    return rect;
}

} // namespace

std::optional<RootRect> XPrimaryOutput::geometry(Display* display) {
    if (!display)
        return std::nullopt;
    if (auto rect = fromRandr(display))
        return rect;
    return rootWindow(display);
}

std::optional<RootRect> XPrimaryOutput::fromRandr(Display* display) {
    int eventBase = 0;
    int errorBase = 0;
    if (!XRRQueryExtension(display, &eventBase, &errorBase))
        return std::nullopt;
    const Window root = DefaultRootWindow(display);
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, root);
    if (!resources)
        return std::nullopt;
    std::optional<RootRect> rect;
    if (const RROutput primary = XRRGetOutputPrimary(display, root))
        rect = crtcRect(display, resources, primary);
    for (int i = 0; i < resources->noutput && !rect; ++i) {
        const auto candidate = crtcRect(display, resources, resources->outputs[i]);
        if (candidate && candidate->x == 0 && candidate->y == 0)
            rect = candidate;
    }
    XRRFreeScreenResources(resources);
    return rect;
}

std::optional<RootRect> XPrimaryOutput::rootWindow(Display* display) {
    const int screen = DefaultScreen(display);
    return RootRect{0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)};
}

} // namespace wigglet::desktop
