#pragma once
// Controls named by window and control name, as the colour, font and language tables write them: "Label3",
// "section_label(2)" for one element of a control array, "section_label(all)" for every element.
#include <functional>
#include <string_view>
#include <vector>

#include "forms/control.h"

namespace kv::skins {

struct ControlTarget {
    std::string_view window;
    std::string_view control;
    int index;  // single_control, an element, or all_elements
};

// One target per blank-separated name of `controls`.
std::vector<ControlTarget> parse_targets(std::string_view window, std::string_view controls);

// Runs `step` on each control the target names that the program has; an array marked (all) is walked
// from element 0 for as long as the next element is there. Missing windows and controls are passed over.
void for_each_control(const ControlTarget& target, const std::function<void(forms::Control&)>& step);

}  // namespace kv::skins
