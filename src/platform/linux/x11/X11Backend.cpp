#include "platform/linux/x11/X11Backend.h"

#include "platform/linux/LinuxDesktopOptions.h"
#include "platform/linux/dbus/LogindBacklight.h"
#include "platform/linux/x11/XConnection.h"
#include "platform/linux/x11/XGrabHotKeyService.h"
#include "platform/linux/x11/XScreens.h"
#include "platform/linux/x11/XScreensaverDaemon.h"
#include "platform/linux/x11/XServerScreenSaver.h"
#include "platform/linux/x11/XTestEventSource.h"

#include <QByteArray>
#include <QDBusConnection>
#include <QString>
#include <QtGlobal>
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

} // namespace wigglet::desktop
