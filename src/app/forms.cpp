#include "app/forms.h"

#include <map>

#include "app/window_roster.h"
#include "launcher/main_form.h"
#include "platform/forms/backend.h"
#include "toolkit/message_box.h"
#include "toolkit/messages_form.h"

namespace kv::app {

namespace {

struct Registry {
    std::map<std::type_index, forms::Form*> by_type;
    std::vector<std::unique_ptr<forms::Form>> owned;  // creation order
};

Registry& registry() {
    static Registry r = [] {
        // Every message of the program, the toolkit's own included, goes to the one message box of
        // this directory, under the main window's caption.
        toolkit::set_message_box_source(
            {[]() -> toolkit::messages_form& { return form<toolkit::messages_form>(); },
             [] { return form_without_load<Main_form>().caption(); }});
        return Registry{};
    }();
    return r;
}

}  // namespace

forms::Form& detail::instance(std::type_index type,
                              const std::function<std::unique_ptr<forms::Form>()>& make) {
    forms::Form& f = instance_without_load(type, make);
    f.load();
    return f;
}

forms::Form& detail::instance_without_load(std::type_index type,
                                           const std::function<std::unique_ptr<forms::Form>()>& make) {
    auto& r = registry();
    if (auto it = r.by_type.find(type); it != r.by_type.end()) return *it->second;
    auto created = make();
    forms::Form& f = *created;
    r.by_type[type] = created.get();
    r.owned.push_back(std::move(created));
    return f;
}

// Names the driver and the skin, font and language tables address windows by.
forms::Form* form_named(std::string_view name) {
    for (const WindowRow& row : window_roster())
        if (row.name == name) return &row.get();
    return nullptr;
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

void end_session() {
    for (forms::Form* f : created_forms())
        if (auto* main = dynamic_cast<Main_form*>(f); main && main->loaded()) main->end_session();
    forms::end_program();
}

}  // namespace kv::app
