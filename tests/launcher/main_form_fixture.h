#pragma once
// A fresh program on the headless display in a temporary program folder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "headless/headless_backend.h"
#include "launcher/main_form.h"
#include "platform/folder.h"
#include "program_fixture.h"
#include "support/test_support.h"
#include "toolkit/windows.h"

namespace kvtest {

// A Data.kvl with records in the given sections (index in section order) and switch records.
inline std::string catalogue_with(const std::vector<std::pair<int, std::string>>& records,
                                  const std::vector<std::string>& switches = {}) {
    static const char* headers[] = {"[PSX]", "[PS2]", "[NDS]",    "[GB/GBA]", "[N64]",
                                    "[DC]",  "[GC]",  "[Saturn]", "[S/NES]",  "[Misc]"};
    std::string bytes;
    for (int k = 0; k < 10; ++k) {
        bytes += std::string(headers[k]) + "\r\n";
        for (const auto& [section, record] : records)
            if (section == k) bytes += record + "\r\n";
    }
    bytes += "[About]\r\n[Switches]\r\n";
    for (const auto& s : switches) bytes += s + "\r\n";
    return bytes;
}

// Config.ini lines as the program writes them, with every section shown.
inline std::vector<std::string> default_config_lines() {
    return {"// Korvalin 1.2 config",
            "",
            "Main Window X (Twips) = 3000",
            "Main Window Y (Twips) = 2000",
            "Skin = Midnight",
            "Language = English",
            "Font = Microsoft Sans Serif|8|False|False",
            "Sections = 1|1|1|1|1|1|1|1|1|1",
            "Launcher state = 0",
            "Path override = False",
            "Opacity = 100",
            "PSX = PSX",
            "PS2 = PS2",
            "NDS = NDS",
            "GB/GBA = GB/GBA",
            "N64 = N64",
            "DC = DC",
            "GC = GC",
            "Saturn = Saturn",
            "S/NES = S/NES",
            "Misc = Misc",
            "Misc image = False",
            "Misc image location = "};
}

inline std::string crlf(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& l : lines) bytes += l + "\r\n";
    return bytes;
}

class MainFormFixture : public ProgramTest {
  protected:
    using ProgramTest::start;
    kv::Main_form& start(const std::vector<std::string>& config,
                         const std::string& data = catalogue_with({})) {
        write_file(folder / "Config.ini", crlf(config));
        write_file(folder / "Data.kvl", data);
        return start();
    }
};

}  // namespace kvtest
