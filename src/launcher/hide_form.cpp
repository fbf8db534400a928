#include "launcher/hide_form.h"

namespace kv {

hide_form::hide_form() : forms::Form("hide_form") {}

}  // namespace kv
