#include "launcher/hide_form.h"

namespace kv {

hide_form::hide_form() : forms::Form("hide_form") { move(0, 0); }

}  // namespace kv
