#include "app/forms.h"

#include <map>

#include "launcher/main_form.h"

namespace kv::app {

namespace {

struct Registry {
    std::map<std::type_index, forms::Form*> by_type;
    std::vector<std::unique_ptr<forms::Form>> owned;  // creation order
};

Registry& registry() {
    static Registry r;
    return r;
}

// Names the driver and the skin, font and language tables address windows by.
using Getter = forms::Form& (*)();
const std::map<std::string, Getter, std::less<>>& windows_by_name() {
    static const std::map<std::string, Getter, std::less<>> table = {
        {"Main_form", [] () -> forms::Form& { return form<Main_form>(); }},
    };
    return table;
}

}  // namespace

forms::Form& detail::instance(std::type_index type, const std::function<std::unique_ptr<forms::Form>()>& make) {
    auto& r = registry();
    if (auto it = r.by_type.find(type); it != r.by_type.end()) {
        it->second->load();
        return *it->second;
    }
    auto created = make();
    forms::Form& f = *created;
    r.by_type[type] = created.get();
    r.owned.push_back(std::move(created));
    f.load();
    return f;
}

forms::Form* form_named(std::string_view name) {
    const auto& table = windows_by_name();
    auto it = table.find(name);
    return it == table.end() ? nullptr : &it->second();
}

std::vector<forms::Form*> created_forms() {
    std::vector<forms::Form*> out;
    for (auto& f : registry().owned) out.push_back(f.get());
    return out;
}

void reset_forms() {
    auto& r = registry();
    r.by_type.clear();
    while (!r.owned.empty()) r.owned.pop_back();
}

void start_program() {
    Main_form& main = form<Main_form>();
    main.show();
}

}  // namespace kv::app
