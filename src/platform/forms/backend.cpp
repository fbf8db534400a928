#include "platform/forms/backend.h"

#include <memory>

#include "platform/headless/headless_backend.h"

namespace kv::forms {

namespace {
Backend* current = nullptr;
std::unique_ptr<Backend> fallback;
}  // namespace

Backend& backend() {
    if (!current) {
        fallback = std::make_unique<headless::HeadlessBackend>();
        current = fallback.get();
    }
    return *current;
}

void set_backend(Backend* b) { current = b; }

void end_program() { throw ProgramEnded{}; }

}  // namespace kv::forms
