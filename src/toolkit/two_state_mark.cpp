#include "toolkit/two_state_mark.h"

namespace kv::toolkit {

bool mark_on(const forms::Image& mark) {
    return mark.top() == mark_on_top;
}

void set_mark(forms::Image& mark, bool on) {
    mark.set_top(on ? mark_on_top : 0);
}

}  // namespace kv::toolkit
