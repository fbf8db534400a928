#include "app/program.h"

#include "forms/backend.h"
#include "launcher/main_form.h"
#include "toolkit/windows.h"

namespace kv::app {

void start_program() {
    Main_form& main = toolkit::form<Main_form>();
    main.show();
    main.tell_start_up_problems();
}

void end_session() {
    for (forms::Form* f : toolkit::created_forms())
        if (auto* main = dynamic_cast<Main_form*>(f); main && main->loaded()) main->end_session();
    forms::end_program();
}

}  // namespace kv::app
