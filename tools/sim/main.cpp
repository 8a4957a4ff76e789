// wigglet-sim: runs a scenario through the real program on the simulated platform.

#include "QtScenarioUi.h"
#include "Scenario.h"
#include "ScenarioRunner.h"
#include "StandInUi.h"
#include "foundation/Localizer.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

// The font library keeps caches for the life of the process, which the leak checker would
// report after every run that draws text.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n";
}

namespace {

// The offscreen platform says at every window what a real desktop would do; that is noise here.
void quietOffscreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.startsWith(QLatin1String("This plugin does not support")) ||
        text.startsWith(QLatin1String("QStandardPaths:")))
        return;
    qt_message_output(type, context, text);
}

int usage(const char* reason) {
    if (reason)
        std::fprintf(stderr, "wigglet-sim: %s\n", reason);
    std::fputs("usage: wigglet-sim SCENARIO [--trace FILE] [--trace-ticks] [--trace-sleeps] "
               "[--stand-in-ui] [--language LANG]\n",
               stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    wigglet::sim::ScenarioRunner::Options options;
    std::string scenarioPath;
    bool standIn = false;
    // The simulated machine has no locale: a scenario reads English unless told otherwise.
    std::string language;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--trace") {
            if (++i >= argc)
                return usage("--trace needs a file");
            options.tracePath = argv[i];
        } else if (arg == "--trace-ticks") {
            options.traceTicks = true;
        } else if (arg == "--trace-sleeps") {
            options.traceSleeps = true;
        } else if (arg == "--stand-in-ui") {
            standIn = true;
        } else if (arg == "--language") {
            if (++i >= argc)
                return usage("--language needs a language, such as de or pt_BR");
            language = argv[i];
        } else if (arg == "--help" || arg == "-h") {
            usage(nullptr);
            return 0;
        } else if (!arg.empty() && arg[0] == '-') {
            return usage(("unknown option " + arg).c_str());
        } else if (scenarioPath.empty()) {
            scenarioPath = arg;
        } else {
            return usage("only one scenario at a time");
        }
    }
    if (scenarioPath.empty())
        return usage("no scenario given");

    wigglet::sim::ScenarioError error;
    const auto scenario = wigglet::sim::Scenario::load(scenarioPath, error);
    if (!scenario) {
        std::fprintf(stderr, "%s:%d: %s\n", scenarioPath.c_str(), error.line, error.reason.c_str());
        return 2;
    }
    // The interface runs on Qt's offscreen platform unless told otherwise: a scenario never
    // needs a display.
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler(quietOffscreenNotes);
    QApplication app(argc, argv);
    std::unique_ptr<wigglet::sim::ScenarioUi> ui;
    if (standIn)
        ui = std::make_unique<wigglet::sim::StandInUi>();
    else
        ui = std::make_unique<wigglet::sim::QtScenarioUi>();
    wigglet::sim::ScenarioRunner runner(options, std::move(ui));
    if (!language.empty())
        runner.sim().platform().provide(
            std::make_shared<wigglet::Localizer>(wigglet::Localizer::forLanguages({language})));
    if (!options.tracePath.empty() && !runner.sim().platform().trace().isOpen()) {
        std::fprintf(stderr, "wigglet-sim: cannot write the trace %s: %s\n",
                     options.tracePath.c_str(), std::strerror(errno));
        return 1;
    }
    if (auto failed = runner.run(*scenario)) {
        std::fprintf(stderr, "%s:%d: %s\n", scenarioPath.c_str(), failed->line,
                     failed->reason.c_str());
        return 2;
    }
    return 0;
}
