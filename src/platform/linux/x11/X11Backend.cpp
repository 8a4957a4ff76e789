#include "platform/linux/x11/X11Backend.h"

#include "platform/linux/LinuxDesktopOptions.h"
#include "platform/linux/PeerProgram.h"
#include "platform/linux/dbus/LogindBacklight.h"
#include "platform/linux/x11/XConnection.h"
#include "platform/linux/x11/XGrabHotKeyService.h"
#include "platform/linux/x11/XScreens.h"
#include "platform/linux/x11/XScreensaverDaemon.h"
#include "platform/linux/x11/XServerIdleProbe.h"
#include "platform/linux/x11/XServerScreenSaver.h"
#include "platform/linux/x11/XTestEventSource.h"

#include <QByteArray>
#include <QDBusConnection>
#include <QString>
#include <QtGlobal>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace wigglet::desktop {

namespace {

// Xlib calls this when the server goes away; it must not return.
int onLostDisplay(Display*) {
    static const char line[] = "wigglet: the X server has gone away; quitting\n";
    [[maybe_unused]] const auto ignored = ::write(STDERR_FILENO, line, sizeof line - 1);
    ::_exit(1);
}

QtMessageHandler qtMessages = nullptr;

// Qt's own X11 connection reports a lost server with a warning and then exits on its own; the
// user sees the same single line whichever connection notices first.
void onQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.startsWith(QLatin1String("The X11 connection broke")))
        onLostDisplay(nullptr);
    if (qtMessages)
        qtMessages(type, context, text);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

} // namespace

void X11Backend::ProbeCloser::operator()(_XDisplay* display) const {
    XCloseDisplay(display);
}

X11Backend::X11Backend() = default;
X11Backend::~X11Backend() = default;

std::string X11Backend::prepare() {
    // Kept open until start(): an X server resets when its last client leaves, and a
    // connection made during the reset fails.
    probe_.reset(XOpenDisplay(nullptr));
    if (!probe_) {
        const char* name = std::getenv("DISPLAY");
        return std::string("cannot open the X11 display") +
               (name && *name ? std::string(" ") + name : " (DISPLAY is not set)");
    }
    // The adapters speak X11, so the interface must too, even under XWayland.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    return {};
}

void X11Backend::start(const LinuxDesktopOptions& options) {
    displayName_ = options.displayName;
    x_ = XConnection::open(options.displayName);
    probe_.reset();
    if (options.exitWhenDisplayIsLost) {
        // After the application: its X11 plugin installs a handler of its own.
        XSetIOErrorHandler(onLostDisplay);
        qtMessages = qInstallMessageHandler(onQtMessage);
    }
    backlight_ =
        std::make_unique<LogindBacklight>(QDBusConnection::systemBus(), options.backlightRoot);
    events_ =
        std::make_unique<XTestEventSource>(x_.get(), options.pixelsPerWheelClick, backlight_.get());
    screens_ = std::make_unique<XScreens>(x_.get());
    hotKeys_ = std::make_unique<XGrabHotKeyService>(x_.get());
    if (!x_)
        return;
    saver_ = XServerScreenSaver::open(*x_);
    xscreensaver_ = std::make_unique<XScreensaverDaemon>(*x_);
}

EventSource& X11Backend::events() {
    return *events_;
}

Screens& X11Backend::screens() {
    return *screens_;
}

HotKeyService& X11Backend::hotKeys() {
    return *hotKeys_;
}

std::vector<KeepAwakeMechanism*> X11Backend::keepAwakeMechanisms() {
    std::vector<KeepAwakeMechanism*> mechanisms;
    if (saver_)
        mechanisms.push_back(saver_.get());
    if (xscreensaver_)
        mechanisms.push_back(xscreensaver_.get());
    return mechanisms;
}

std::vector<std::string> X11Backend::shortcomings() const {
    if (!x_)
        return {"No X11 display was found: Wigglet can neither see idle time nor post input."};
    std::vector<std::string> missing;
    if (!events_->mayPostEvents())
        missing.emplace_back("The X server has no XTEST extension: Wigglet cannot post input.");
    if (!events_->measuresIdleTime())
        missing.emplace_back(
            "The X server has no MIT-SCREEN-SAVER extension: Wigglet cannot see idle time.");
    return missing;
}

namespace {

// The window manager's own name, from its _NET_SUPPORTING_WM_CHECK window; empty without one.
std::string windowManagerName(Display* display) {
    auto windowProperty = [display](Window window, const char* name, Atom type) {
        Atom actual = 0;
        int format = 0;
        unsigned long count = 0;
        unsigned long left = 0;
        unsigned char* data = nullptr;
        std::string value;
        if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1024, False,
                               type, &actual, &format, &count, &left, &data) == Success &&
            data && count > 0)
            value = type == XA_WINDOW ? std::to_string(*reinterpret_cast<unsigned long*>(data))
                                      : std::string(reinterpret_cast<char*>(data), count);
        if (data)
            XFree(data);
        return value;
    };
    const std::string check =
        windowProperty(DefaultRootWindow(display), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
    if (check.empty())
        return {};
    return windowProperty(static_cast<Window>(std::stoul(check)), "_NET_WM_NAME",
                          XInternAtom(display, "UTF8_STRING", False));
}

} // namespace

std::string X11Backend::sessionDescription() const {
    if (!x_)
        return "X11, display not reachable";
    const std::string server = peerProgram(ConnectionNumber(x_->display()));
    const std::string manager = windowManagerName(x_->display());
    return "X11 (" + std::string(DisplayString(x_->display())) + ", server " +
           (server.empty() ? "unknown" : server) + ", " +
           (manager.empty() ? "no window manager" : "window manager " + manager) + ")";
}

std::vector<ServiceReport> X11Backend::describe() const {
    const bool reachable = x_ != nullptr;
    const bool idle = reachable && events_->measuresIdleTime();
    const bool input = reachable && events_->mayPostEvents();
    const std::string noDisplay = "the X display cannot be opened";
    std::vector<ServiceReport> reports;
    ServiceReport& idleTime = reports.emplace_back();
    idleTime.service = "idle time";
    if (idle)
        idleTime.mechanism = "the X server's MIT-SCREEN-SAVER idle count";
    else
        idleTime.unavailable.push_back(
            {"MIT-SCREEN-SAVER", reachable ? "the X server does not offer it" : noDisplay});
    if (!idle)
        idleTime.advice = "Under Wayland, XWayland may lack it: start Wigglet with "
                          "XDG_SESSION_TYPE=wayland so that it uses the compositor.";
    ServiceReport& posting = reports.emplace_back();
    posting.service = "input";
    if (input)
        posting.mechanism = "XTEST";
    else
        posting.unavailable.push_back(
            {"XTEST", reachable ? "the X server does not offer it" : noDisplay});
    reports.push_back({"pointer position", reachable ? "XQueryPointer" : "", {}, {}});
    reports.push_back({"shortcut", reachable ? "XGrabKey on the root window" : "", {}, {}});
    return reports;
}

std::vector<std::unique_ptr<IdleProbe>> X11Backend::idleProbes() {
    std::vector<std::unique_ptr<IdleProbe>> probes;
    probes.push_back(std::make_unique<XServerIdleProbe>(displayName_, "X screen-saver idle"));
    return probes;
}

} // namespace wigglet::desktop
