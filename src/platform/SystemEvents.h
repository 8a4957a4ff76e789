#pragma once

#include <functional>
#include <string>
#include <vector>

namespace wigglet {

// What the machine tells on its own: it woke from sleep, its power source changed, a program
// that someone waits for started or ended. Nothing is polled: each platform passes on what its
// system announces.
class SystemEvents {
  public:
    enum class Kind { Woke, PowerSourceChanged, ProgramsChanged };
    using Handler = std::function<void(Kind)>;

    virtual ~SystemEvents() = default;
    void setHandler(Handler handler) { handler_ = std::move(handler); }
    // Whether a program of this name (its process name) runs now.
    virtual bool programRunning(const std::string& /*name*/) { return false; }
    // The program names whose starts and ends are to be told; replaces the earlier list.
    virtual void watchPrograms(const std::vector<std::string>& /*names*/) {}

  protected:
    void tell(Kind kind) {
        if (handler_)
            handler_(kind);
    }

  private:
    Handler handler_;
};

} // namespace wigglet
