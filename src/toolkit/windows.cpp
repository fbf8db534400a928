#include "toolkit/windows.h"

#include <algorithm>
#include <map>

namespace kv::toolkit {

namespace {

struct Directory {
    std::map<std::type_index, forms::Form*> by_type;
    std::vector<std::unique_ptr<forms::Form>> owned;  // creation order
    int loads_running = 0;                            // loads begun here and not yet ended
};

Directory& directory() {
    static Directory d;
    return d;
}

std::span<const RosterRow>& roster() {
    static std::span<const RosterRow> rows;
    return rows;
}

}  // namespace

void set_window_roster(std::span<const RosterRow> rows) {
    roster() = rows;
}

std::span<const RosterRow> window_roster() {
    return roster();
}

std::vector<std::string_view> windows_in_order(int RosterRow::*place) {
    std::vector<const RosterRow*> taking_part;
    for (const RosterRow& row : roster())
        if (row.*place > 0) taking_part.push_back(&row);
    std::sort(taking_part.begin(), taking_part.end(),
              [place](const RosterRow* a, const RosterRow* b) { return a->*place < b->*place; });
    std::vector<std::string_view> names;
    for (const RosterRow* row : taking_part) names.push_back(row->name);
    return names;
}

forms::Form& detail::instance(std::type_index type,
                              const std::function<std::unique_ptr<forms::Form>()>& make) {
    forms::Form& f = instance_without_load(type, make);
    {
        ++directory().loads_running;
        struct Done {
            ~Done() { --directory().loads_running; }
        } done;
        f.load();
    }
    // Start-up touches every window from inside the main window's load, to dress it in the skin, the
    // font and the language: that is no need of what a window left for later.
    if (directory().loads_running == 0) f.run_deferred();
    return f;
}

forms::Form& detail::instance_without_load(std::type_index type,
                                           const std::function<std::unique_ptr<forms::Form>()>& make) {
    auto& d = directory();
    if (auto it = d.by_type.find(type); it != d.by_type.end()) return *it->second;
    auto created = make();
    forms::Form& f = *created;
    d.by_type[type] = created.get();
    d.owned.push_back(std::move(created));
    return f;
}

forms::Form* form_named(std::string_view name) {
    for (const RosterRow& row : roster())
        if (row.name == name) return &row.get();
    return nullptr;
}

forms::Form* form_named_without_load(std::string_view name) {
    for (const RosterRow& row : roster())
        if (row.name == name) return &row.get_unloaded();
    return nullptr;
}

std::vector<forms::Form*> created_forms() {
    std::vector<forms::Form*> out;
    for (auto& f : directory().owned) out.push_back(f.get());
    return out;
}

void reset_forms() {
    auto& d = directory();
    d.by_type.clear();
    while (!d.owned.empty()) d.owned.pop_back();
}

}  // namespace kv::toolkit
