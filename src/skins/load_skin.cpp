#include "launcher/main_form.h"
#include "skins/skin_bitmaps.h"

namespace kv {

void Main_form::load_skin(const std::string& skin_name) {
    // The name changes only with the pictures: a skin that cannot be loaded whole leaves the look and
    // the name the settings will save as they were, and its failure goes to the caller.
    skins::apply_skin_bitmaps(skin_name);
    current_skin = skin_name;
}

}  // namespace kv
