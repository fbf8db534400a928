#include "toolkit/on_top.h"

namespace kv::toolkit {

void set_on_top(forms::Form& window) {
    window.set_top_most(true);
}

}  // namespace kv::toolkit
