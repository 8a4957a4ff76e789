#pragma once

#include "app/Rule.h"
#include "app/RuleSet.h"
#include "platform/RunLoop.h"
#include "platform/SystemEvents.h"

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace wigglet {

class AppDelegate;

// Decides when shaking starts and stops by itself: the stored rules and the holds that
// clients take (`wigglet run`, `wigglet watch`) each want shaking or not, and shaking is on
// while any of them wants it. It acts through the delegate's routines, as the menu does. It
// wakes only at the next date at which the clock changes a rule, and when the system tells of
// a wake, a power change or a program. A change that the user makes against the rules holds
// until one of the rules or holds it went against changes its mind.
class RuleArbiter {
  public:
    struct Holder {
        std::string label;           // in the given language
        std::optional<double> until; // wall-clock date
    };

    explicit RuleArbiter(AppDelegate& delegate);
    ~RuleArbiter();
    RuleArbiter(const RuleArbiter&) = delete;
    RuleArbiter& operator=(const RuleArbiter&) = delete;

    // Listens to the system and brings shaking in line with the rules.
    void start();
    void evaluate();
    // Told after each application of the shake state, whoever changed it.
    void shakeStateApplied(bool on);
    // The battery stop has ended shaking; the charger may bring it back.
    void stoppedByBattery() { stoppedByBattery_ = true; }

    // A hold on shaking for as long as it is not released; its label names what it waits for.
    int addHold(const std::string& label);
    void releaseHold(int id);

    // What keeps shaking on now, if a rule or a hold does, in English or the user's language.
    std::optional<Holder> holder(bool english = false);
    std::vector<Rule> rules() { return rules_.load(); }
    // The pending wake-up, for a test to see that there is one and no more.
    const std::shared_ptr<Timer>& edgeTimer() const { return edgeTimer_; }

  private:
    struct Override {
        bool on = false;
        std::vector<std::pair<nlohmann::json, bool>> rules; // what each rule wanted then
        std::set<int> holds;
    };

    void onSystemEvent(SystemEvents::Kind kind);
    RuleWorld world() const;
    bool overrideEnded(const std::vector<Rule>& rules, const RuleWorld& world, double now) const;
    void act(bool on);
    void arm(const std::vector<Rule>& rules, double now);
    void resumeOnMains();

    AppDelegate& delegate_;
    RuleSet rules_;
    std::map<int, std::string> holds_;
    int nextHold_ = 1;
    std::optional<Override> override_;
    std::shared_ptr<Timer> edgeTimer_;
    bool lastWant_ = false;
    bool governed_ = false;
    bool lastShaking_ = false;
    bool acting_ = false;
    bool started_ = false;
    bool stoppedByBattery_ = false;
    bool wasOnMains_ = false;
};

} // namespace wigglet
