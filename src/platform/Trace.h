#pragma once

#include <cstdio>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace wigglet {

// Writes one JSON object per line for everything the program does to the outside world:
// {"t":<seconds, 6 decimals>,"ev":<kind>,...}. Off until a file is opened. Tick and sleep
// lines are written only when asked for, since they are many.
class Trace {
  public:
    using Fields = nlohmann::ordered_json;

    Trace() = default;
    ~Trace();
    Trace(const Trace&) = delete;
    Trace& operator=(const Trace&) = delete;

    // False (with errno set) when the file cannot be opened.
    bool open(const std::string& path);
    void close();
    bool isOpen() const { return file_ != nullptr; }

    void setClock(std::function<double()> clock) { clock_ = std::move(clock); }
    void setTicksEnabled(bool on) { ticks_ = on; }
    void setSleepsEnabled(bool on) { sleeps_ = on; }
    bool ticksEnabled() const { return file_ && ticks_; }
    bool sleepsEnabled() const { return file_ && sleeps_; }

    void write(std::string_view kind, const Fields& fields = Fields::object());
    // A line that carries a time other than now.
    void writeAt(double t, std::string_view kind, const Fields& fields);

  private:
    std::FILE* file_ = nullptr;
    std::function<double()> clock_;
    bool ticks_ = false;
    bool sleeps_ = false;
};

} // namespace wigglet
