// Every window of the program, started on the assembled program folder and drawn by the Qt display:
// each shows its skinned frame. With KORVALIN_SHOTS set to a folder, each window is also saved there
// as a picture to look at.
#include <QImage>
#include <QSet>
#include <cstdlib>
#include <filesystem>

#include "app/program.h"
#include "platform/folder.h"
#include "qt/qt_fixture.h"
#include "support/test_support.h"
#include "toolkit/windows.h"

namespace {

using kvtest::QtFormsTest;

TEST_F(QtFormsTest, EveryWindowShowsItsSkinnedFrame) {
    kvtest::TempFolder tmp;
    kvtest::copy_program_folder(tmp.path());
    kvtest::write_file(tmp / "Data.kvl",
                       "[PSX]\r\nePSXe|/opt/epsxe/|epsxe\r\nPCSX|/opt/pcsx/|pcsx\r\n[PS2]\r\n[NDS]\r\n"
                       "[GB/GBA]\r\n[N64]\r\n[DC]\r\n[GC]\r\n[Saturn]\r\n[S/NES]\r\n[Misc]\r\n[About]\r\n"
                       "ePSXe|A PlayStation emulator.\r\nend\r\n[Switches]\r\nePSXe|-nogui||||\r\n");
    kv::platform::set_program_folder(tmp.path());
    kv::app::start_program();

    const char* shots = std::getenv("KORVALIN_SHOTS");
    for (std::string_view name : kv::toolkit::windows_in_order(&kv::toolkit::RosterRow::frame)) {
        kv::forms::Form* f = kv::toolkit::form_named(name);
        f->show();
        QImage image = backend_->grab_form(*f);
        ASSERT_FALSE(image.isNull()) << f->name();
        EXPECT_EQ(image.width(), static_cast<int>(f->width() / 15)) << f->name();
        // A skinned window is drawn from pictures: many colours, not one flat fill.
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 3)
            for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
        EXPECT_GT(colours.size(), 20) << f->name() << " looks unskinned";
        if (shots)
            image.save(
                QString::fromStdString((std::filesystem::path(shots) / (f->name() + ".png")).string()));
        if (f->name() != "Main_form") f->hide();
    }
    kv::toolkit::reset_forms();
}

}  // namespace
