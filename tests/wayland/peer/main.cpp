// wigglet_wayland_peer: a headless compositor for the end-to-end tests of the real program,
// with a fullscreen window on it that sees the pointer. Prints the socket's path, then
// answers one line per command read: "pointer" gives "X Y" (or "none"), "hand" moves the
// user's own pointer. The compositor ends when the input does.
// Usage: wigglet_wayland_peer sway|weston|kwin [PROGRAM KWin lends its fake input to]

#include "support/HeadlessCompositor.h"
#include "support/WaylandTestWindow.h"

#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

using wigglet::testing::HeadlessCompositor;
using wigglet::testing::WaylandTestWindow;

namespace {

// The last place the window saw the pointer, from its "enter X,Y" and "motion X,Y" lines.
std::string lastPointer(const WaylandTestWindow& window) {
    const auto& events = window.events();
    for (auto it = events.rbegin(); it != events.rend(); ++it) {
        std::istringstream line(*it);
        std::string kind;
        std::string where;
        line >> kind >> where;
        if ((kind == "enter" || kind == "motion") && where.find(',') != std::string::npos)
            return where.replace(where.find(','), 1, " ");
    }
    return "none";
}

} // namespace

int main(int argc, char** argv) {
    const std::string kind = argc > 1 ? argv[1] : "sway";
    std::vector<std::string> trusted;
    if (argc > 2)
        trusted.emplace_back(argv[2]);
    std::string whyNot;
    using enum HeadlessCompositor::Kind;
    const auto which = kind == "weston" ? Weston : kind == "kwin" ? KWin : Sway;
    auto compositor = HeadlessCompositor::start(which, whyNot, trusted);
    if (!compositor) {
        std::fprintf(stderr, "wigglet_wayland_peer: %s\n", whyNot.c_str());
        return 1;
    }
    auto window = kind == "weston" ? nullptr : WaylandTestWindow::open(compositor->socket());
    std::cout << compositor->socket() << std::endl;
    for (std::string command; std::getline(std::cin, command);) {
        if (window && command == "hand")
            window->moveUserPointer();
        if (window)
            window->sync();
        std::cout << (window && command == "pointer" ? lastPointer(*window) : "ok") << std::endl;
    }
    return 0;
}
