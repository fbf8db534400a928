#include "skins/control_targets.h"

#include <string>

#include "skins/skin_bitmaps.h"
#include "toolkit/windows.h"

namespace kv::skins {

std::vector<ControlTarget> parse_targets(std::string_view window, std::string_view controls) {
    std::vector<ControlTarget> out;
    while (!controls.empty()) {
        const auto blank = controls.find(' ');
        std::string_view name = controls.substr(0, blank);
        controls = blank == std::string_view::npos ? std::string_view{} : controls.substr(blank + 1);
        if (name.empty()) continue;
        int index = single_control;
        if (const auto open = name.find('('); open != std::string_view::npos) {
            const std::string_view inside = name.substr(open + 1, name.size() - open - 2);
            index = inside == "all" ? all_elements : std::stoi(std::string(inside));
            name = name.substr(0, open);
        }
        out.push_back({window, name, index});
    }
    return out;
}

void for_each_control(const ControlTarget& target, const std::function<void(forms::Control&)>& step) {
    forms::Form* form = toolkit::form_named(target.window);
    if (!form) return;
    if (target.index == all_elements) {
        // The element count is asked again before each element.
        for (int i = 0; forms::Control* c = form->find(target.control, i); ++i) step(*c);
        return;
    }
    forms::Control* c = target.index == single_control ? form->find(target.control)
                                                       : form->find(target.control, target.index);
    if (c) step(*c);
}

}  // namespace kv::skins
