#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace wigglet::testing {

// Sets an environment variable, or unsets it for none, for as long as it lives.
class ScopedVariable {
  public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name))
            saved_ = old;
        put(value);
    }
    ~ScopedVariable() { put(saved_ ? saved_->c_str() : nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

  private:
    void put(const char* value) { value ? ::setenv(name_, value, 1) : ::unsetenv(name_); }

    const char* name_;
    std::optional<std::string> saved_;
};

} // namespace wigglet::testing
