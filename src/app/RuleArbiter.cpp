#include "app/RuleArbiter.h"

#include "app/AppDelegate.h"
#include "app/ShakeTimer.h"
#include "foundation/Localizer.h"
#include "foundation/SettingsStore.h"
#include "platform/Platform.h"
#include "platform/PowerSources.h"

#include <algorithm>

namespace wigglet {

namespace {

double wallNow() {
    return Platform::current().runLoop().date();
}

bool shakingNow() {
    return SettingsStore::shared().boolForKey(SettingsKey::shakeEnabled);
}

std::string labelOf(const Rule& rule, const Localizer& texts) {
    switch (rule.kind) {
    case Rule::Kind::Hours:
        return texts.string("rule-hours");
    case Rule::Kind::Until:
        return texts.string("rule-until");
    case Rule::Kind::Mains:
        return texts.string("rule-mains");
    case Rule::Kind::Program:
        return texts.format("rule-program", {rule.program});
    }
    return {};
}

} // namespace

RuleArbiter::RuleArbiter(AppDelegate& delegate) : delegate_(delegate) {}

RuleArbiter::~RuleArbiter() {
    if (edgeTimer_)
        edgeTimer_->invalidate();
    if (Platform::isInstalled())
        Platform::current().systemEvents().setHandler({});
}

void RuleArbiter::start() {
    started_ = true;
    lastShaking_ = shakingNow();
    wasOnMains_ = Platform::current().powerSources().externalAdapterAttached();
    Platform::current().systemEvents().setHandler(
        [this](SystemEvents::Kind kind) { onSystemEvent(kind); });
    evaluate();
}

RuleWorld RuleArbiter::world() const {
    Platform& platform = Platform::current();
    RuleWorld world;
    world.onMains = platform.powerSources().externalAdapterAttached();
    world.programRunning = [&platform](const std::string& name) {
        return platform.systemEvents().programRunning(name);
    };
    return world;
}

void RuleArbiter::evaluate() {
    const double now = wallNow();
    const std::vector<Rule> rules = rules_.load();
    const RuleWorld here = world();
    std::vector<std::string> programs;
    for (const Rule& rule : rules)
        if (rule.kind == Rule::Kind::Program)
            programs.push_back(rule.program);
    Platform::current().systemEvents().watchPrograms(programs);

    lastWant_ = !holds_.empty() ||
                std::ranges::any_of(rules, [&](const Rule& r) { return r.wants(now, here); });
    if (override_ && overrideEnded(rules, here, now))
        override_.reset();
    const bool governs = !rules.empty() || !holds_.empty();
    // With nothing to go by, shaking is the user's alone; the last hold or rule to go still
    // takes its shaking with it.
    // A period the user timed runs to its end whatever the rules say.
    if ((governs || governed_) && !ShakeTimer::shared().isTimed()) {
        const bool target = override_ ? override_->on : lastWant_;
        if (target != shakingNow())
            act(target);
    }
    governed_ = governs;
    arm(rules, now);
}

bool RuleArbiter::overrideEnded(const std::vector<Rule>& rules, const RuleWorld& here,
                                double now) const {
    for (const auto& entry : override_->rules) {
        const auto same = std::ranges::find_if(
            rules, [&entry](const Rule& r) { return r.toJson() == entry.first; });
        if (same == rules.end() || same->wants(now, here) != entry.second)
            return true;
    }
    return std::ranges::any_of(override_->holds, [&](int id) { return !holds_.contains(id); });
}

void RuleArbiter::shakeStateApplied(bool on) {
    if (!started_ || on == lastShaking_)
        return;
    lastShaking_ = on;
    if (on)
        stoppedByBattery_ = false;
    if (acting_)
        return;
    const std::vector<Rule> rules = rules_.load();
    if ((rules.empty() && holds_.empty()) || on == lastWant_) {
        override_.reset();
        return;
    }
    // The user went against every rule and hold that wanted otherwise, until one of them
    // changes its mind.
    Override against{on, {}, {}};
    const double now = wallNow();
    const RuleWorld here = world();
    for (const Rule& rule : rules)
        if (const bool wants = rule.wants(now, here); wants != on)
            against.rules.emplace_back(rule.toJson(), wants);
    if (!on)
        for (const auto& [id, label] : holds_)
            against.holds.insert(id);
    override_ = std::move(against);
}

void RuleArbiter::act(bool on) {
    acting_ = true;
    if (on)
        delegate_.shakeFor(0);
    else
        delegate_.stopShakeAndUpdate();
    acting_ = false;
}

void RuleArbiter::arm(const std::vector<Rule>& rules, double now) {
    std::optional<double> next;
    for (const Rule& rule : rules)
        if (const auto edge = rule.nextEdge(now); edge && (!next || *edge < *next))
            next = edge;
    if (edgeTimer_ && edgeTimer_->isValid() && next && edgeTimer_->fireDate() == *next)
        return;
    if (edgeTimer_)
        edgeTimer_->invalidate();
    edgeTimer_.reset();
    if (next)
        edgeTimer_ =
            Platform::current().runLoop().scheduleTimer(*next - now, false, [this] { evaluate(); });
}

void RuleArbiter::onSystemEvent(SystemEvents::Kind kind) {
    // A wake may follow an edge that the timers, stopped with the machine, did not see.
    if (kind == SystemEvents::Kind::Woke)
        ShakeTimer::shared().woke();
    evaluate();
    if (kind == SystemEvents::Kind::PowerSourceChanged)
        resumeOnMains();
}

void RuleArbiter::resumeOnMains() {
    const bool onMains = Platform::current().powerSources().externalAdapterAttached();
    const bool pluggedIn = onMains && !wasOnMains_;
    wasOnMains_ = onMains;
    if (!pluggedIn || !stoppedByBattery_ || shakingNow() ||
        !SettingsStore::shared().boolForKey(SettingsKey::resumeOnMains))
        return;
    stoppedByBattery_ = false;
    delegate_.shakeFor(0);
}

int RuleArbiter::addHold(const std::string& label) {
    const int id = nextHold_++;
    holds_.emplace(id, label);
    evaluate();
    return id;
}

void RuleArbiter::releaseHold(int id) {
    if (holds_.erase(id))
        evaluate();
}

std::optional<RuleArbiter::Holder> RuleArbiter::holder(bool english) {
    if (!shakingNow() || (override_ && override_->on))
        return std::nullopt;
    const Localizer plain;
    const Localizer& texts = english ? plain : Localizer::shared();
    if (!holds_.empty())
        return Holder{texts.format("rule-program", {holds_.begin()->second}), std::nullopt};
    const double now = wallNow();
    const RuleWorld here = world();
    for (const Rule& rule : rules_.load())
        if (rule.wants(now, here))
            return Holder{labelOf(rule, texts), rule.nextEdge(now)};
    return std::nullopt;
}

} // namespace wigglet
