#include "plugins/popup_form.h"

namespace kv {

popup_form::popup_form() : forms::Form("popup_form") {}

}  // namespace kv
