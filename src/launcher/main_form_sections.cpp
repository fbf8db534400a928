// The ten platform sections: making one current, its platform tile, and the section buttons.
#include "launcher/main_form.h"

namespace kv {

namespace {
constexpr std::size_t misc_section = 9;
}

void Main_form::switch_section(std::size_t k) {
    current_section = std::string(model::sections.at(k).id);
    load_section_list(current_section);
    // The strip holds one tile per section, top to bottom in section order.
    platforms_image.set_top(
        static_cast<float>(-static_cast<double>(platforms_image.height()) * static_cast<double>(k) /
                           static_cast<double>(model::section_count)));
    platforms_image.set_visible(true);
    misc_image.set_visible(false);
    if (k == misc_section && misc_image_enabled) {
        platforms_image.set_visible(false);
        misc_image.set_visible(true);
    }
    show_switches();
}

void Main_form::section_Click(std::size_t k) {
    // The current section's own button reloads nothing, so the list keeps its place.
    if (current_section != model::sections.at(k).id) switch_section(k);
}

void Main_form::load_psx_stuff() {
    switch_section(0);
}
void Main_form::load_ps2_stuff() {
    switch_section(1);
}
void Main_form::load_nds_stuff() {
    switch_section(2);
}
void Main_form::load_gba_stuff() {
    switch_section(3);
}
void Main_form::load_n64_stuff() {
    switch_section(4);
}
void Main_form::load_dc_stuff() {
    switch_section(5);
}
void Main_form::load_gc_stuff() {
    switch_section(6);
}
void Main_form::load_saturn_stuff() {
    switch_section(7);
}
void Main_form::load_snes_stuff() {
    switch_section(8);
}
void Main_form::load_misc_stuff() {
    switch_section(misc_section);
}

}  // namespace kv
