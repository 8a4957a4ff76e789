#include "platform/LoginItems.h"

#include "platform/Platform.h"

namespace wigglet {

namespace {

std::optional<std::string> traced(const char* op, std::optional<std::string> error) {
    Trace::Fields fields = {{"op", op}, {"result", error ? "error" : "ok"}};
    if (error)
        fields["reason"] = *error;
    recordTrace("login-item", fields);
    return error;
}

} // namespace

std::optional<std::string> LoginItems::registerMainApp() {
    return traced("register", doRegisterMainApp());
}

std::optional<std::string> LoginItems::unregisterMainApp() {
    return traced("unregister", doUnregisterMainApp());
}

bool LoginItems::setLoginItemEnabled(const std::string& identifier, bool enabled) {
    const bool ok = doSetLoginItemEnabled(identifier, enabled);
    recordTrace("login-item", {{"op", enabled ? "enable-helper" : "disable-helper"},
                               {"identifier", identifier},
                               {"result", ok ? "ok" : "error"}});
    return ok;
}

} // namespace wigglet
