#include "platform/Trace.h"

namespace wigglet {

Trace::~Trace() {
    close();
}

bool Trace::open(const std::string& path) {
    close();
    file_ = std::fopen(path.c_str(), "w");
    return file_ != nullptr;
}

void Trace::close() {
    if (file_)
        std::fclose(file_);
    file_ = nullptr;
}

void Trace::write(std::string_view kind, const Fields& fields) {
    if (file_)
        writeAt(clock_ ? clock_() : 0.0, kind, fields);
}

void Trace::writeAt(double t, std::string_view kind, const Fields& fields) {
    if (!file_)
        return;
    std::fprintf(file_, "{\"t\":%.6f,\"ev\":%s", t, Fields(std::string(kind)).dump().c_str());
    for (const auto& [key, value] : fields.items()) {
        const std::string k = Fields(key).dump();
        const std::string v = value.dump(-1, ' ', false, Fields::error_handler_t::replace);
        std::fprintf(file_, ",%s:%s", k.c_str(), v.c_str());
    }
    std::fputs("}\n", file_);
    // Flushed per line so that a trace survives a crash or a kill up to its last event.
    std::fflush(file_);
}

} // namespace wigglet
