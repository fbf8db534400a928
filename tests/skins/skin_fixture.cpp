#include "skins/skin_fixture.h"

#include <cstdint>

#include "platform/folder.h"
#include "skins/skin_bitmaps.h"
#include "toolkit/windows.h"

namespace kvtest {

std::vector<std::string> settings_lines(const std::map<int, std::string>& values, int count) {
    std::vector<std::string> lines;
    for (int n = 1; n <= count; ++n) {
        const char* value = "1";
        if (n == 1) value = "Tester";
        if (n >= 29 && n <= 31) value = "100|50|255|300";
        if (n == 35) value = "12";
        if (n == 40) value = "2";
        const auto it = values.find(n);
        lines.push_back("Key" + std::to_string(n) + " = " +
                        (it != values.end() ? it->second : std::string(value)));
    }
    return lines;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += l + "\r\n";
    return out;
}

SkinTest::SkinTest() {
    kv::forms::set_backend(&display);
    kv::platform::set_program_folder(folder.path());
}

SkinTest::~SkinTest() {
    kv::toolkit::reset_forms();
    kv::forms::set_backend(nullptr);
}

void SkinTest::write_skin(const std::string& name, int height) {
    int k = 1;
    for (std::string_view file : kv::skins::skin_bitmap_files())
        write_file(skin_path(name) / std::string(file), bmp(k++, height));
    write_settings(name, settings_lines());
}

void SkinTest::write_settings(const std::string& name, const std::vector<std::string>& lines) {
    write_file(skin_path(name) / "Config.ini", joined(lines));
}

}  // namespace kvtest
