#include "configs/registry_settings.h"
#include "model/registry_bridge.h"
#include "platform/runtime.h"

namespace kv::configs {

RegistryAccess program_registry() {
    using model::registry_value;
    return {[](const std::string& path) { return registry_value(path, "NOinfo", 1); },
            // A write that did not land reads back as something else.
            [](const std::string& path, const std::string& text) {
                model::write_registry_value(path, text);
                return registry_value(path, "NOinfo", 1) == text;
            },
            [](const std::string& file, const std::string& key) {
                const auto run = model::export_registry_key(file, key);
                if (!run) throw platform::Failure(run.failure);
            }};
}

}  // namespace kv::configs
