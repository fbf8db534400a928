#pragma once
// An in-memory registry for the editors' settings tests: values by full path, exports recorded.
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "configs/registry_settings.h"
#include "platform/runtime.h"

namespace kvtest {

struct FakeRegistry {
    std::map<std::string, std::string> values;
    std::vector<std::string> writes;                           // value paths in write order
    std::set<std::string> refused;                             // value paths whose writes fail
    std::set<std::string> ignored;                             // value paths whose writes do not hold
    std::vector<std::pair<std::string, std::string>> exports;  // file, key
    bool exports_fail = false;

    kv::configs::RegistryAccess access() {
        return {[this](const std::string& path) {
                    auto it = values.find(path);
                    return it == values.end() ? std::string() : it->second;
                },
                [this](const std::string& path, const std::string& text) {
                    if (refused.count(path)) throw kv::platform::Failure("the store is read-only");
                    if (ignored.count(path)) return false;
                    writes.push_back(path);
                    values[path] = text;
                    return true;
                },
                [this](const std::string& file, const std::string& key) {
                    exports.emplace_back(file, key);
                    if (exports_fail)
                        throw kv::platform::Failure("cannot export " + key + ": the disk is full");
                }};
    }
};

}  // namespace kvtest
