// Forms shown through the Qt display: what the windows draw, and input reaching the model.
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>
#include <QWheelEvent>
#include <set>

#include "platform/picture.h"
#include "platform/runtime.h"
#include "qt/painting.h"
#include "qt/qt_fixture.h"
#include "qt/text.h"
#include "toolkit/framed_form.h"
#include "toolkit/messages_form.h"

namespace {

using namespace kv::forms;
using kvtest::QtFormsTest;

// gtest owns registered environments.
const testing::Environment* const qt_application =
    testing::AddGlobalTestEnvironment(new kvtest::QtApplication);

constexpr QRgb red = 0xFFFF0000, green = 0xFF00FF00, blue = 0xFF0000FF, yellow = 0xFFFFFF00;

kv::platform::Picture solid(int w, int h, QRgb colour) {
    kv::platform::PictureData d;
    d.width = w;
    d.height = h;
    d.argb.assign(static_cast<size_t>(w * h), colour);
    return kv::platform::Picture::from_data(std::move(d), "solid");
}

// The released look above the pressed look, as two-state buttons are drawn.
kv::platform::Picture two_halves(int w, int half, QRgb upper, QRgb lower) {
    kv::platform::PictureData d;
    d.width = w;
    d.height = 2 * half;
    for (int y = 0; y < 2 * half; ++y)
        for (int x = 0; x < w; ++x) d.argb.push_back(y < half ? upper : lower);
    return kv::platform::Picture::from_data(std::move(d), "button");
}

QRgb at(const QImage& image, int x, int y) {
    return image.pixel(x, y) | 0xFF000000;
}

TEST_F(QtFormsTest, WindowDrawsTheModelWhereItPlacesIt) {
    Form& f = make_form("drawn_form", 200, 120);
    auto& natural = f.add<Image>("natural", 150, 150, 0, 0);
    natural.set_picture(solid(20, 10, red));
    auto& stretched = f.add<Image>("stretched", 600, 150, 450, 450);
    stretched.set_stretch(true);
    stretched.set_picture(solid(2, 2, green));
    auto& box = f.add<PictureBox>("box", 1200, 150, 150, 150);
    auto& pressed = f.add<Image>("pressed", 0, -150, 0, 0, &box);
    pressed.set_picture(two_halves(10, 10, blue, yellow));
    auto& label = f.add<Label>("label", 150, 600, 900, 300);
    label.set_back_color(rgb(255, 0, 255));
    label.set_caption("Hi");
    f.add<Image>("empty", 1500, 600, 300, 300);
    auto& hidden = f.add<Image>("hidden", 2400, 150, 0, 0);
    hidden.set_picture(solid(10, 10, red));
    hidden.set_visible(false);
    auto& text = f.add<TextBox>("text", 1500, 1200, 1200, 300);
    text.set_text("x");
    auto& list = f.add<ListBox>("list", 150, 1050, 1200, 600);
    list.add_item("one");
    list.add_item("two");
    f.show();

    const QImage shot = backend_->grab_form(f);
    ASSERT_EQ(shot.size(), QSize(200, 120));
    EXPECT_EQ(at(shot, 10, 10), red);
    EXPECT_EQ(at(shot, 29, 19), red);
    EXPECT_EQ(at(shot, 30, 10), kv::qt::form_background);
    EXPECT_EQ(at(shot, 40, 10), green);
    EXPECT_EQ(at(shot, 69, 39), green);
    // The box shows the lower half of the picture moved up by half its height, and nothing outside itself.
    EXPECT_EQ(at(shot, 80, 10), yellow);
    EXPECT_EQ(at(shot, 89, 19), yellow);
    EXPECT_EQ(at(shot, 85, 5), kv::qt::form_background);
    EXPECT_EQ(at(shot, 85, 21), kv::qt::form_background);
    EXPECT_EQ(at(shot, 68, 58), 0xFFFF00FF);                // the label's back, clear of its text
    EXPECT_EQ(at(shot, 105, 45), kv::qt::form_background);  // an image without a picture
    EXPECT_EQ(at(shot, 165, 15), kv::qt::form_background);  // a hidden image

    auto& edit = widget<QLineEdit>(text);
    EXPECT_EQ(edit.geometry(), QRect(100, 80, 80, 20));
    EXPECT_TRUE(edit.isVisible());
    EXPECT_EQ(edit.text(), QStringLiteral("x"));
    EXPECT_EQ(at(shot, 175, 90), QColor(Qt::white).rgb());
    auto& view = widget<QListWidget>(list);
    EXPECT_EQ(view.geometry(), QRect(10, 70, 80, 40));
    ASSERT_EQ(view.count(), 2);
    EXPECT_EQ(view.item(1)->text(), QStringLiteral("two"));
}

TEST_F(QtFormsTest, ModelChangesRepaintAndMoveWidgets) {
    Form& f = make_form("changing_form", 100, 60);
    auto& image = f.add<Image>("image", 0, 0, 0, 0);
    image.set_picture(solid(10, 10, red));
    auto& box = f.add<PictureBox>("box", 600, 0, 600, 600);
    auto& text = f.add<TextBox>("text", 0, 0, 300, 300, &box);
    f.show();
    backend_->grab_form(f);

    image.set_left(300);
    image.set_picture(solid(10, 10, blue));
    text.set_left(450);  // half outside its box: clipped to it
    QImage shot = backend_->grab_form(f);
    EXPECT_EQ(at(shot, 2, 2), kv::qt::form_background);
    EXPECT_EQ(at(shot, 22, 2), blue);
    auto& edit = widget<QLineEdit>(text);
    EXPECT_EQ(edit.geometry(), QRect(70, 0, 20, 20));
    EXPECT_EQ(edit.mask().boundingRect(), QRect(0, 0, 10, 20));
    box.set_visible(false);
    backend_->sync_all();
    EXPECT_FALSE(edit.isVisible());
}

struct Seen {
    std::vector<std::string> events;
    void attach(Control& c) {
        auto mouse = [this](const char* what) {
            return [this, what](const MouseEvent& e) {
                events.push_back(std::string(what) + " " + std::to_string(e.button) + " " +
                                 std::to_string(e.shift) + " " + kv::platform::number_text(e.x) + "," +
                                 kv::platform::number_text(e.y));
            };
        };
        c.on_mouse_down = mouse("down");
        c.on_mouse_up = mouse("up");
        c.on_mouse_move = mouse("move");
        c.on_click = [this] { events.push_back("click"); };
        c.on_dbl_click = [this] { events.push_back("dblclick"); };
    }
};

TEST_F(QtFormsTest, MouseReachesTheControlUnderItInTwips) {
    Form& f = make_form("mouse_form", 100, 60);
    auto& label = f.add<Label>("label", 300, 150, 600, 300);
    label.set_transparent(true);
    Seen seen;
    seen.attach(label);
    f.show();
    QWidget& w = window(f);

    mouse(w, QEvent::MouseMove, QPoint(25, 12));
    click(w, QPoint(25, 12));
    mouse(w, QEvent::MouseButtonPress, QPoint(21, 11), Qt::RightButton, Qt::RightButton, Qt::ControlModifier);
    mouse(w, QEvent::MouseMove, QPoint(80, 50), Qt::NoButton, Qt::RightButton);
    mouse(w, QEvent::MouseButtonRelease, QPoint(80, 50), Qt::RightButton, Qt::NoButton);
    mouse(w, QEvent::MouseMove, QPoint(5, 5));  // over nothing
    EXPECT_EQ(seen.events,
              (std::vector<std::string>{"move 0 0 75,30", "down 1 0 75,30", "up 1 0 75,30", "click",
                                        "down 2 2 15,15", "move 2 0 900,600", "up 2 0 900,600"}));

    // A double click arrives as the window system sends it: press, release, double click, release.
    seen.events.clear();
    click(w, QPoint(30, 15));
    mouse(w, QEvent::MouseButtonDblClick, QPoint(30, 15), Qt::LeftButton, Qt::LeftButton);
    mouse(w, QEvent::MouseButtonRelease, QPoint(30, 15), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(seen.events, (std::vector<std::string>{"down 1 0 150,75", "up 1 0 150,75", "click", "dblclick",
                                                     "up 1 0 150,75"}));
}

TEST_F(QtFormsTest, ATitleDragFollowsThePointerOnTheDesktopWhateverThePlaceInTheWindowSays) {
    kv::toolkit::FramedForm f("dragged", {.design_title = "  Dragged  ", .width = 3000, .height = 2000});
    f.move(1500, 1500);
    f.show();
    QWidget& w = window(f);
    auto send = [&w](QEvent::Type type, QPoint local, QPoint global, Qt::MouseButtons held) {
        QMouseEvent e(type, QPointF(local), QPointF(global), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(&w, &e);
    };
    send(QEvent::MouseButtonPress, {20, 10}, {120, 110}, Qt::LeftButton);
    // Three moves the window system measured before the window had moved at all.
    for (int step : {10, 20, 30})
        send(QEvent::MouseMove, {20 + step, 10 + step}, {120 + step, 110 + step}, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, {50, 40}, {150, 140}, Qt::NoButton);
    EXPECT_EQ(f.left(), 130 * 15);
    EXPECT_EQ(f.top(), 130 * 15);
}

TEST_F(QtFormsTest, TypingEditsTheModelsText) {
    Form& f = make_form("typing_form", 200, 60);
    auto& text = f.add<TextBox>("text", 150, 150, 1500, 300);
    std::vector<int> form_keys;
    f.on_key_down = [&](int16_t& code, int16_t) { form_keys.push_back(code); };
    int changes = 0;
    text.on_change = [&] { ++changes; };
    // The window refuses 'x' as the windows' KeyPress handlers refuse characters.
    text.on_key_press = [](int16_t& ascii) {
        if (ascii == 'x') ascii = 0;
    };
    f.show();
    auto& edit = widget<QLineEdit>(text);

    // A click focuses the box in the model.
    click(edit, QPoint(5, 5));
    EXPECT_EQ(f.focused(), &text);
    type(edit, QString::fromUtf8("Abxcé"));
    EXPECT_EQ(text.text(), "Abc\xC3\xA9");
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(form_keys, (std::vector<int>{'A', 'B', 'X', 'C'}));
    key(edit, Qt::Key_Backspace, QStringLiteral("\b"));
    EXPECT_EQ(text.text(), "Abc");
    EXPECT_TRUE(wait_until([&] { return edit.text() == QStringLiteral("Abc"); }));

    // Keys that type nothing are the box's own: the caret moves, Delete edits, the model follows.
    key(edit, Qt::Key_Home);
    EXPECT_EQ(text.sel_start(), 0);
    key(edit, Qt::Key_Delete);
    EXPECT_EQ(text.text(), "bc");
    type(edit, QStringLiteral("a"));
    EXPECT_EQ(text.text(), "abc");
    EXPECT_EQ(text.sel_start(), 1);

    // A change made by the program shows at once, its caret too.
    text.set_text("caf\xE9");  // Windows-1252 text
    text.set_sel_start(2);
    EXPECT_TRUE(wait_until([&] { return edit.text() == QString::fromUtf8("café"); }));
    EXPECT_EQ(edit.cursorPosition(), 2);

    text.set_locked(true);
    backend_->sync_all();
    EXPECT_TRUE(edit.isReadOnly());
    type(edit, QStringLiteral("z"));
    EXPECT_EQ(text.text(), "caf\xE9");
}

TEST_F(QtFormsTest, KeysWithoutATextBoxGoToTheForm) {
    Form& f = make_form("keys_form", 100, 60);
    std::vector<std::string> keys;
    f.on_key_down = [&](int16_t& code, int16_t shift) {
        keys.push_back("down " + std::to_string(code) + " " + std::to_string(shift));
    };
    f.show();
    key(window(f), Qt::Key_Escape, QStringLiteral("\x1b"));
    key(window(f), Qt::Key_Up, {}, Qt::ShiftModifier | Qt::KeypadModifier);
    EXPECT_EQ(keys, (std::vector<std::string>{"down 27 0", "down 38 1"}));
}

TEST_F(QtFormsTest, ListSelectionFollowsBothWays) {
    Form& f = make_form("list_form", 200, 100);
    auto& list = f.add<ListBox>("list", 0, 0, 1500, 1200);
    for (const char* item : {"one", "two", "three"}) list.add_item(item);
    std::vector<std::string> events;
    list.on_mouse_down = [&](const MouseEvent&) {
        events.push_back("down " + std::to_string(list.list_index()));
    };
    list.on_mouse_up = [&](const MouseEvent&) {
        events.push_back("up " + std::to_string(list.list_index()));
    };
    list.on_click = [&] { events.push_back("click " + std::to_string(list.list_index())); };
    f.show();
    auto& view = widget<QListWidget>(list);

    list.set_list_index(0);
    EXPECT_TRUE(wait_until([&] { return view.currentRow() == 0; }));
    events.clear();
    const QPoint third = view.visualItemRect(view.item(2)).center();
    click(*view.viewport(), third);
    EXPECT_EQ(list.list_index(), 2);
    // Chosen with the mouse, the new entry is current by MouseUp, and Click comes once.
    EXPECT_EQ(events, (std::vector<std::string>{"down 0", "up 2", "click 2"}));

    events.clear();
    key(view, Qt::Key_Up);
    EXPECT_EQ(list.list_index(), 1);
    EXPECT_EQ(events, (std::vector<std::string>{"click 1"}));
}

TEST_F(QtFormsTest, WindowFollowsTheFormsPlaceTitleAndStyle) {
    Form& main = make_form("main", 100, 50);
    main.set_caption("Main caption");
    main.set_show_in_taskbar(true);
    Form& other = make_form("other", 100, 50);
    other.set_caption("ignored");
    other.add<Label>("Framebar_title", 0, 0, 100, 100).set_caption("  Other title  ");
    Form& strip = make_form("hide_form", 10, 10);
    strip.set_top_most(true);
    main.move(1500, 750);
    main.show();
    other.show();
    strip.show();
    backend_->sync_all();

    EXPECT_EQ(window(main).geometry(), QRect(100, 50, 100, 50));
    EXPECT_EQ(window(main).windowTitle(), QStringLiteral("Main caption"));
    EXPECT_EQ(window(other).windowTitle(), QStringLiteral("Other title"));
    EXPECT_TRUE(window(main).windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(window(main).windowFlags() & Qt::WindowType_Mask, Qt::Window);
    EXPECT_EQ(window(other).windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_FALSE(window(other).windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(window(strip).windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(window(strip).windowFlags() & Qt::WindowDoesNotAcceptFocus);

    other.set_top_most(true);
    other.set_ex_style(other.ex_style() | ws_ex_layered);
    other.set_layered_alpha(51);
    other.set_region(Region{0, 0, 50, 40, 10, 10});
    backend_->sync_all();
    EXPECT_TRUE(window(other).isVisible());
    EXPECT_TRUE(window(other).windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(window(other).windowFlags() & Qt::WindowDoesNotAcceptFocus);
    EXPECT_DOUBLE_EQ(window(other).windowOpacity(), 0.2);
    EXPECT_EQ(window(other).mask(), kv::qt::window_region(Region{0, 0, 50, 40, 10, 10}));
    other.set_region(std::nullopt);
    other.set_ex_style(0);
    backend_->sync_all();
    EXPECT_TRUE(window(other).mask().isEmpty());
    EXPECT_DOUBLE_EQ(window(other).windowOpacity(), 1.0);

    // Minimised by the program, restored by the person.
    main.set_window_state(WindowState::minimized);
    backend_->sync_all();
    EXPECT_TRUE(window(main).isMinimized());
    window(main).showNormal();
    EXPECT_EQ(main.window_state(), WindowState::normal);
    main.hide();
    EXPECT_FALSE(window(main).isVisible());
}

TEST_F(QtFormsTest, TimersFireAndModalShowingWaitsForTheHide) {
    Form& owner = make_form("owner", 100, 50);
    Form& dialog = make_form("dialog", 100, 50);
    owner.show();
    auto& ticker = owner.add<Timer>("ticker", 0, 0, 0, 0);
    int ticks = 0;
    ticker.on_timer = [&] { ++ticks; };
    ticker.set_interval(5);
    ticker.set_enabled(true);
    EXPECT_TRUE(wait_until([&] { return ticks >= 2; }));
    ticker.set_enabled(false);
    const int stopped_at = ticks;
    run_events(30);
    EXPECT_EQ(ticks, stopped_at);

    // The owner's timer keeps running while the dialog is up, and ends it.
    auto& closer = owner.add<Timer>("closer", 0, 0, 0, 0);
    bool owner_blocked = false;
    closer.on_timer = [&] {
        owner_blocked = QApplication::activeModalWidget() == &window(dialog);
        dialog.hide();
    };
    closer.set_interval(20);
    closer.set_enabled(true);
    dialog.show_modal(owner);
    closer.set_enabled(false);
    EXPECT_FALSE(dialog.visible());
    EXPECT_FALSE(dialog.modal());
    EXPECT_TRUE(owner_blocked);
    EXPECT_EQ(window(dialog).windowModality(), Qt::NonModal);
}

TEST_F(QtFormsTest, WheelTurnsWaitBrieflyForThePollingTimer) {
    Form& f = make_form("wheel_form", 100, 50);
    f.show();
    auto wheel = [&](int delta) {
        QWheelEvent e(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(&window(f), &e);
    };
    wheel(-120);
    wheel(0);  // sideways only
    EXPECT_EQ(f.take_wheel(), -120);
    EXPECT_FALSE(f.wheel_pending());
    // Nobody polls: the turn is gone soon after.
    wheel(120);
    EXPECT_TRUE(f.wheel_pending());
    EXPECT_TRUE(wait_until([&] { return !f.wheel_pending(); }, 500));
}

TEST_F(QtFormsTest, FailuresInHandlersAreReportedAndTheProgramGoesOn) {
    Form& f = make_form("failing_form", 100, 50);
    auto& label = f.add<Label>("label", 0, 0, 1500, 750);
    label.on_click = [] { throw kv::platform::Failure("Invalid property value"); };
    f.show();
    testing::internal::CaptureStderr();
    click(window(f), QPoint(5, 5));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Invalid property value"), std::string::npos);
    // Capture was released: the next press goes to the label again.
    int downs = 0;
    label.on_mouse_down = [&](const MouseEvent&) { ++downs; };
    click(window(f), QPoint(5, 5));
    EXPECT_EQ(downs, 1);
}

TEST_F(QtFormsTest, EndingTheProgramInAHandlerEndsTheProcess) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            Form& f = make_form("ending_form", 100, 50);
            f.add<Label>("label", 0, 0, 1500, 750).on_click = [] { end_program(); };
            f.show();
            click(window(f), QPoint(5, 5));
            std::abort();  // not reached
        },
        testing::ExitedWithCode(0), "");
}

// Lines a line spacing apart, the last a whole line high, as the painter draws them: Nimbus Sans sets
// its lines closer than its ascent and descent span, and a label sized by spacing alone was a pixel
// shorter than its caption.
TEST_F(QtFormsTest, TextIsMeasuredAsItsLinesAreDrawn) {
    Font font;
    const QFontMetrics metrics(kv::qt::to_qfont(font));
    const TextSize one = backend_->measure_text(font, "Emulators");
    const TextSize two = backend_->measure_text(font, "Emulators\r\nand more text");
    EXPECT_GT(one.width, 0);
    EXPECT_GE(one.height, static_cast<float>(metrics.height() * 15));
    EXPECT_GE(one.height, static_cast<float>(metrics.lineSpacing() * 15));
    EXPECT_EQ(two.height - one.height, static_cast<float>(metrics.lineSpacing() * 15));
    EXPECT_GT(two.width, one.width);
    EXPECT_EQ(static_cast<int>(one.height) % 15, 0);
    font.size = 16.5f;
    EXPECT_GT(backend_->measure_text(font, "Emulators").height, one.height);

    const auto fonts = backend_->installed_fonts();
    EXPECT_NE(std::find(fonts.begin(), fonts.end(), "DejaVu Sans"), fonts.end());
    EXPECT_GT(backend_->screen_width(), 0);
}

// A message naming a long path wraps at a comfortable width, the path broken after its slashes, and
// every line shows within the box.
TEST_F(QtFormsTest, AMessageNamingALongPathWrapsWithinAComfortableWidth) {
    kv::messages_form box;
    box.load();
    const std::string path =
        "/home/someone/.local/share/emulators/Korvalin with a long folder name/"
        "Configurations/ePSXe/emulator_configuration/A profile of many settings.reg";
    box.show_exclamation("The file " + path + " could not be written: Permission denied", "Korvalin", 0);
    EXPECT_LE(box.width(), 7200 + 1470);
    const kv::qt::DrawnCaption drawn = kv::qt::drawn_caption(box.Label31);
    const QRect laid =
        QFontMetrics(drawn.fitted.font)
            .boundingRect(QRect(0, 0, drawn.room.width(), 1 << 20), drawn.flags, drawn.fitted.text);
    EXPECT_LE(laid.width(), drawn.room.width());
    EXPECT_LE(laid.height(), drawn.room.height());
}

// A family several foundries make (URW's C059, Nimbus Sans) is one row, by its plain name.
TEST_F(QtFormsTest, EachFontFamilyIsListedOnceByItsName) {
    const auto fonts = backend_->installed_fonts();
    std::set<std::string> names;
    for (const std::string& name : fonts) {
        EXPECT_TRUE(names.insert(name).second) << name << " is listed twice";
        EXPECT_EQ(name.find(" ["), std::string::npos) << name;
    }
    for (const QString& family : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(family)) continue;
        EXPECT_TRUE(names.count(family.section(QLatin1String(" ["), 0, 0).toStdString()))
            << family.toStdString();
    }
}

}  // namespace
