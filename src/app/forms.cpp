#include "app/forms.h"

#include <map>

#include "configs/add_profile.h"
#include "configs/configs_form.h"
#include "configs/epsxe_config.h"
#include "configs/pcsx_config.h"
#include "configs/psxeven_config.h"
#include "configs/ssspsx_config.h"
#include "fonts_languages/font_browser.h"
#include "fonts_languages/language_browser.h"
#include "launcher/about_form.h"
#include "launcher/add_new.h"
#include "launcher/edit_form.h"
#include "launcher/game_prompt.h"
#include "launcher/hide_form.h"
#include "launcher/main_form.h"
#include "launcher/options_form.h"
#include "launcher/switches_form.h"
#include "platform/forms/backend.h"
#include "plugins/popup_form.h"
#include "skins/skin_browser.h"
#include "toolkit/messages_form.h"

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
        {"about_form", [] () -> forms::Form& { return form<about_form>(); }},
        {"options_form", [] () -> forms::Form& { return form<options_form>(); }},
        {"add_new", [] () -> forms::Form& { return form<add_new>(); }},
        {"edit_form", [] () -> forms::Form& { return form<edit_form>(); }},
        {"switches_form", [] () -> forms::Form& { return form<switches_form>(); }},
        {"hide_form", [] () -> forms::Form& { return form<hide_form>(); }},
        {"game_prompt", [] () -> forms::Form& { return form<game_prompt>(); }},
        {"configs_form", [] () -> forms::Form& { return form<configs_form>(); }},
        {"add_profile", [] () -> forms::Form& { return form<add_profile>(); }},
        {"ePSXe_config", [] () -> forms::Form& { return form<ePSXe_config>(); }},
        {"PSXeven_config", [] () -> forms::Form& { return form<PSXeven_config>(); }},
        {"PCSX_config", [] () -> forms::Form& { return form<PCSX_config>(); }},
        {"SSSPSX_config", [] () -> forms::Form& { return form<SSSPSX_config>(); }},
        {"popup_form", [] () -> forms::Form& { return form<popup_form>(); }},
        {"skin_browser", [] () -> forms::Form& { return form<skin_browser>(); }},
        {"font_browser", [] () -> forms::Form& { return form<font_browser>(); }},
        {"language_browser", [] () -> forms::Form& { return form<language_browser>(); }},
        {"messages_form", [] () -> forms::Form& { return form<toolkit::messages_form>(); }},
    };
    return table;
}

}  // namespace

forms::Form& detail::instance(std::type_index type, const std::function<std::unique_ptr<forms::Form>()>& make) {
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

void end_session() {
    for (forms::Form* f : created_forms())
        if (auto* main = dynamic_cast<Main_form*>(f); main && main->loaded()) main->end_session();
    forms::end_program();
}

}  // namespace kv::app
