// Closing the program and ending the session from outside: both save Data.kvl and Config.ini.
#include <string>
#include <vector>

#include "configs/configs_form.h"
#include "configs/psx_entries.h"
#include "forms/backend.h"
#include "launcher/edit_form.h"
#include "launcher/main_form.h"
#include "launcher/switches_form.h"
#include "model/profile_store.h"
#include "model/ssspsx_ini.h"
#include "platform/folder.h"
#include "platform/runtime.h"
#include "platform/standard_error.h"
#include "platform/text_file.h"
#include "toolkit/message_box.h"
#include "toolkit/windows.h"

namespace kv {

void Main_form::remove_stale_temporaries() {
    const auto folder = platform::program_folder();
    // A name that cannot be told is told by the start-up that reads it.
    for (auto path : {&database_path, &settings_path})
        platform::skip_failure(
            [&] { platform::remove_stale_temporaries(folder, path().filename().string()); });
    // A profile that was being made when the program was killed may never be written again.
    for (const char* emulator : psx_emulators) model::remove_stale_temporaries(emulator);
    // SSSPSX.ini lands in the folder of an SSSPSX entry, as the configs window finds one.
    for (const std::string& record : PSX_emu)
        if (configs::is_entry_of(record, model::ssspsx))
            if (const auto emulator_folder = configs::usable_folder(record))
                model::remove_stale_ini_temporaries(*emulator_folder);
}

void Main_form::X_image_Click() {
    close_program();
}

std::vector<std::string> Main_form::save_session() {
    std::vector<std::string> problems;
    for (auto save : {&Main_form::save_database, &Main_form::save_config}) {
        try {
            (this->*save)();
        } catch (const platform::Failure& failure) {
            problems.emplace_back(failure.what());
        }
    }
    return problems;
}

std::string Main_form::kept_unread_text(const std::filesystem::path& file, const std::string& why) {
    return "kept " + file.string() + " unchanged, as it could not be read at start: " + why;
}

void Main_form::close_program() {
    if (at_screen_edge()) return;
    const std::vector<std::string> problems = save_session();
    if (!problems.empty() && !save_failure_told_) {
        save_failure_told_ = true;
        std::string text = "Your changes could not be saved:";
        for (const auto& problem : problems) text += "\n" + problem;
        text += "\nClose again to try once more; the program then ends even if saving fails again.";
        toolkit::report_failure(*this, text);
        return;
    }
    // The second close ends whatever happens; what failed again still reaches the log.
    for (const auto& problem : problems) platform::print_failure("not saved: " + problem);
    forms::end_program();
}

void Main_form::end_session() {
    // What Cancel would do in a dialog that holds a record out of the catalogue: put it back.
    platform::skip_failure([] {
        auto& editor = toolkit::form_without_load<switches_form>();
        if (editor.visible()) editor.Label2_Click();
    });
    platform::skip_failure([] {
        auto& edit = toolkit::form_without_load<edit_form>();
        if (edit.visible()) edit.Label7_Click();
    });
    // Hidden at the screen edge, or sliding either way: the place it slides back to is its place.
    if (at_screen_edge()) take_place_before_hiding();
    // Nobody is there to read a message: what could not be saved goes to the log alone.
    for (const auto& problem : save_session()) platform::print_failure("not saved: " + problem);
    forms::end_program();
}

}  // namespace kv
