#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/backend.h"
#include "forms/form.h"
#include "platform/runtime.h"
#include "support/headless_test.h"

namespace kv::forms {
namespace {

class FormsTest : public kvtest::HeadlessTest {
  protected:
    // Records every event of a control as a word, in order.
    void record(Control& c, const std::string& tag) {
        c.on_mouse_down = [this, tag](const MouseEvent& e) {
            log.push_back(tag + ".down" + std::to_string(e.button));
            last = e;
        };
        c.on_mouse_up = [this, tag](const MouseEvent& e) {
            log.push_back(tag + ".up" + std::to_string(e.button));
            last = e;
        };
        c.on_mouse_move = [this, tag](const MouseEvent& e) {
            log.push_back(tag + ".move" + std::to_string(e.button));
            last = e;
        };
        c.on_click = [this, tag] { log.push_back(tag + ".click"); };
        c.on_dbl_click = [this, tag] { log.push_back(tag + ".dblclick"); };
    }

    std::vector<std::string> log;
    MouseEvent last;
};

TEST_F(FormsTest, WindowedControlsStandAboveLightweightOnesAndContainersClip) {
    Form f("f");
    auto& box = f.add<PictureBox>("box", 100, 100, 500, 500);
    auto& label = f.add<Label>("label", 0, 0, 1000, 1000);          // added later, but lightweight
    auto& inner = f.add<Label>("inner", 400, 400, 400, 400, &box);  // reaches past the box
    record(box, "box");
    record(label, "label");
    record(inner, "inner");

    EXPECT_EQ(f.hit_test(150, 150), &box);
    EXPECT_EQ(f.hit_test(550, 550), &inner);
    EXPECT_EQ(f.hit_test(700, 700), &label);  // the inner label is clipped by its box
    EXPECT_EQ(f.hit_test(50, 50), &label);

    // Events arrive in the control's own coordinates.
    f.deliver_mouse_down(550, 550, left_button, 0);
    EXPECT_FLOAT_EQ(last.x, 50);
    EXPECT_FLOAT_EQ(last.y, 50);
}

TEST_F(FormsTest, HiddenAndDisabledControlsTakeNoMouseButTransparentLabelsDo) {
    Form f("f");
    auto& image = f.add<Image>("image", 0, 0, 1000, 1000);
    auto& over = f.add<Label>("over", 0, 0, 1000, 1000);
    over.set_transparent(true);
    EXPECT_EQ(f.hit_test(10, 10), &over);
    over.set_enabled(false);
    EXPECT_EQ(f.hit_test(10, 10), &image);
    over.set_enabled(true);
    over.set_visible(false);
    EXPECT_EQ(f.hit_test(10, 10), &image);
    auto& shape = f.add<Shape>("shape", 0, 0, 1000, 1000);
    (void)shape;
    EXPECT_EQ(f.hit_test(10, 10), &image);  // shapes never take the mouse
}

TEST_F(FormsTest, ClickFollowsOnlyAReleaseOverTheControlAndTheMouseStaysCaptured) {
    Form f("f");
    auto& a = f.add<Label>("a", 0, 0, 100, 100);
    auto& b = f.add<Label>("b", 200, 0, 100, 100);
    record(a, "a");
    record(b, "b");

    f.deliver_mouse_down(50, 50, left_button, 0);
    f.deliver_mouse_move(250, 50, left_button, 0);  // captured: goes to a, in a's twips
    EXPECT_FLOAT_EQ(last.x, 250);
    f.deliver_mouse_up(250, 50, left_button, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"a.down1", "a.move1", "a.up1"}));

    log.clear();
    f.deliver_mouse_down(50, 50, left_button, 0);
    f.deliver_mouse_up(60, 60, left_button, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"a.down1", "a.up1", "a.click"}));

    // A right button press and release is no Click.
    log.clear();
    f.deliver_mouse_down(50, 50, right_button, 0);
    f.deliver_mouse_up(50, 50, right_button, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"a.down2", "a.up2"}));

    // Without a button, moves go to whatever is under the pointer.
    log.clear();
    f.deliver_mouse_move(250, 50, 0, 0);
    EXPECT_EQ(log, std::vector<std::string>{"b.move0"});
}

TEST_F(FormsTest, DoubleClickArrivesAsDownUpClickDblClickUp) {
    Form f("f");
    auto& a = f.add<Label>("a", 0, 0, 100, 100);
    record(a, "a");
    f.deliver_mouse_down(10, 10, left_button, 0);
    f.deliver_mouse_up(10, 10, left_button, 0);
    f.deliver_double_click(10, 10, left_button, 0);
    f.deliver_mouse_up(10, 10, left_button, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"a.down1", "a.up1", "a.click", "a.dblclick", "a.up1"}));
}

TEST_F(FormsTest, ButtonIsTheChangedButtonOnDownAndUpAndTheHeldOnesOnMove) {
    Form f("f");
    auto& a = f.add<Label>("a", 0, 0, 100, 100);
    record(a, "a");
    f.deliver_mouse_down(10, 10, left_button, 0);
    f.deliver_mouse_down(10, 10, right_button, 0);
    f.deliver_mouse_move(20, 20, left_button | right_button, 0);
    f.deliver_mouse_up(20, 20, right_button, 0);
    f.deliver_mouse_up(20, 20, left_button, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"a.down1", "a.down2", "a.move3", "a.up2", "a.up1", "a.click"}));
}

TEST_F(FormsTest, ControlsAreFoundByNameAndArrayIndex) {
    Form f("f");
    auto& first = f.add<Label>("section_label", 0, 0, 10, 10, nullptr, 0);
    auto& fourth = f.add<Label>("section_label", 0, 0, 10, 10, nullptr, 3);
    EXPECT_EQ(f.find("section_label(0)"), &first);
    EXPECT_EQ(f.find("section_label", 3), &fourth);
    EXPECT_EQ(f.find("section_label"), nullptr);
    EXPECT_EQ(fourth.full_name(), "section_label(3)");
}

TEST_F(FormsTest, PublicVariablesAreReadByNameAndOnlyTextOnesWrittenByName) {
    Form f("f");
    std::string message = "A name is required.";
    int count = 3;
    f.expose("message", message);
    f.expose("count", [&count] { return std::to_string(count); });
    ASSERT_NE(f.writable_variable("message"), nullptr);
    *f.writable_variable("message") = "Un nom est requis.";
    EXPECT_EQ(message, "Un nom est requis.");
    EXPECT_EQ(f.variable("message"), "Un nom est requis.");
    count = 4;
    EXPECT_EQ(f.variable("count"), "4");
    EXPECT_EQ(f.writable_variable("count"), nullptr);
    EXPECT_EQ(f.writable_variable("nothing"), nullptr);
    EXPECT_EQ(f.variable("nothing"), std::nullopt);
}

TEST(Display, AskingForItWhileNoneIsSetEndsTheProgramSayingSo) {
    EXPECT_DEATH(
        {
            set_backend(nullptr);
            backend();
        },
        "no display is set");
}

TEST_F(FormsTest, InvalidPropertyValuesFail) {
    Form f("f");
    auto& a = f.add<Label>("a", 0, 0, 100, 100);
    EXPECT_THROW(a.set_width(-1), kv::platform::Failure);
    EXPECT_THROW(a.set_height(-0.5f), kv::platform::Failure);
    EXPECT_FLOAT_EQ(a.width(), 100);
    EXPECT_NO_THROW(a.set_left(-500));  // places may be anywhere
    EXPECT_THROW(f.set_width(-15), kv::platform::Failure);
    auto& list = f.add<ListBox>("list", 0, 0, 100, 100);
    EXPECT_THROW(list.set_list_index(0), kv::platform::Failure);
    EXPECT_THROW(list.list(0), kv::platform::Failure);
}

TEST_F(FormsTest, AnImageWithoutStretchTakesItsPicturesSize) {
    Form f("f");
    auto& image = f.add<Image>("image", 0, 0, 100, 100);
    kv::platform::PictureData data;
    data.width = 34;
    data.height = 10;
    data.argb.assign(340, 0xFF000000);
    image.set_picture(kv::platform::Picture::from_data(data, "p.bmp"));
    EXPECT_FLOAT_EQ(image.width(), 510);
    EXPECT_FLOAT_EQ(image.height(), 150);
    auto& stretched = f.add<Image>("stretched", 0, 0, 100, 100);
    stretched.set_stretch(true);
    stretched.set_picture(kv::platform::Picture::from_data(data, "p.bmp"));
    EXPECT_FLOAT_EQ(stretched.width(), 100);
    EXPECT_EQ(*stretched.property("Picture"), "p.bmp");
}

TEST_F(FormsTest, TypingGoesThroughKeyPressWhichMayRefuseACharacter) {
    Form f("f");
    auto& box = f.add<TextBox>("box", 0, 0, 1000, 300);
    int changes = 0;
    box.on_change = [&] { ++changes; };
    box.on_key_press = [](int16_t& ascii) {
        if (ascii == '|') ascii = 0;
    };
    f.set_focus(&box);
    for (char c : std::string("a|b")) f.deliver_key_press(c);
    EXPECT_EQ(box.text(), "ab");
    EXPECT_EQ(changes, 2);
    f.deliver_key_press(keys::back);
    EXPECT_EQ(box.text(), "a");
    box.set_text("é");  // two bytes of UTF-8: Backspace removes the whole character
    box.set_sel_start(2);
    f.deliver_key_press(keys::back);
    EXPECT_EQ(box.text(), "");
    box.set_locked(true);
    f.deliver_key_press('x');
    EXPECT_EQ(box.text(), "");
}

TEST_F(FormsTest, FormSeesKeysBeforeTheFocusedControl) {
    Form f("f");
    auto& box = f.add<TextBox>("box", 0, 0, 1000, 300);
    f.set_focus(&box);
    std::vector<std::string> seen;
    f.on_key_down = [&](int16_t& key, int16_t shift) {
        seen.push_back("form" + std::to_string(key) + "/" + std::to_string(shift));
        if (key == 'R') key = 0;  // handled: the control does not see it
    };
    box.on_key_down = [&](int16_t& key, int16_t) { seen.push_back("box" + std::to_string(key)); };
    f.deliver_key_down('R', ctrl_mask);
    f.deliver_key_down(keys::enter, 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"form82/2", "form13/0", "box13"}));
}

TEST_F(FormsTest, TimersFireOnTheVirtualClockAndRestartWhenChanged) {
    Form f("f");
    auto& t = f.add<Timer>("t", 0, 0, 0, 0);
    std::vector<int64_t> fired;
    t.on_timer = [&] { fired.push_back(display.now()); };
    t.set_interval(500);
    display.advance(1000);
    EXPECT_TRUE(fired.empty());  // made off
    t.set_enabled(true);
    display.advance(1100);
    EXPECT_EQ(fired, (std::vector<int64_t>{1500, 2000}));
    // A handler that changes the interval takes effect from that tick on.
    fired.clear();
    t.on_timer = [&] {
        fired.push_back(display.now());
        t.set_interval(60);
    };
    display.advance(600);  // now 2700: due at 2500, then every 60
    EXPECT_EQ(fired, (std::vector<int64_t>{2500, 2560, 2620, 2680}));
    t.set_enabled(false);
    display.advance(1000);
    EXPECT_EQ(fired.size(), 4u);
}

TEST_F(FormsTest, ModalShowRunsInputUntilTheFormHides) {
    Form owner("owner");
    Form dialog("dialog");
    std::vector<std::string> steps;
    display.queue_action([&] { steps.push_back("first"); });
    display.queue_action([&] {
        steps.push_back("close");
        dialog.hide();
    });
    display.queue_action([&] { steps.push_back("after"); });
    dialog.show_modal(owner);
    EXPECT_EQ(steps, (std::vector<std::string>{"first", "close"}));
    EXPECT_FALSE(dialog.modal());
    EXPECT_EQ(dialog.owner(), &owner);

    // With no input left, the loop does not hang.
    display.queue_action([] {});
    EXPECT_THROW(dialog.show_modal(owner), headless::InputEnded);
}

TEST_F(FormsTest, AModalWindowBelongsWithTheShownWindowItWasOpenedFrom) {
    // The window a display keeps a dialog with (moved, raised and minimised together).
    Form main("main");
    main.show();
    Form configs("configs");
    Form editor("editor");
    EXPECT_EQ(editor.opener(), nullptr);
    display.queue_action([&] {
        EXPECT_EQ(configs.opener(), &main);
        display.queue_action([&] {
            EXPECT_EQ(editor.opener(), &configs);
            // Its opener hidden meanwhile, it goes with the window that one was opened from.
            configs.hide();
            EXPECT_EQ(editor.opener(), &main);
            main.hide();
            EXPECT_EQ(editor.opener(), nullptr);
            editor.hide();
        });
        editor.show_modal(configs);
    });
    configs.show_modal(main);
    EXPECT_EQ(configs.opener(), nullptr);
}

TEST_F(FormsTest, OnlyTheLastModalWindowStillShownTakesInput) {
    // As the window system keeps input from every window but the last application-modal one.
    Form main("main");
    main.show();
    Form strip("strip");
    Form configs("configs");
    Form editor("editor");
    EXPECT_EQ(blocked_by(main), nullptr);
    display.queue_action([&] {
        display.queue_action([&] {
            EXPECT_EQ(blocked_by(editor), nullptr);
            EXPECT_EQ(blocked_by(configs), &editor);
            EXPECT_EQ(blocked_by(main), &editor);
            // A window shown later without owner is not opened from the modal one.
            strip.show();
            EXPECT_EQ(blocked_by(strip), &editor);
            // Minimised, the modal window blocks all the same.
            editor.set_window_state(WindowState::minimized);
            EXPECT_EQ(blocked_by(main), &editor);
            configs.hide();
            EXPECT_EQ(blocked_by(main), &editor);
            editor.hide();
        });
        editor.show_modal(configs);
        // Its own show still running, a modal window that was hidden blocks nothing.
        EXPECT_EQ(blocked_by(main), nullptr);
        EXPECT_EQ(blocked_by(strip), nullptr);
    });
    configs.show_modal(main);
    EXPECT_EQ(blocked_by(main), nullptr);
}

TEST_F(FormsTest, AWindowNothingPlacedOpensCentredOnItsOwnerAndKeepsItsPlaceAfterwards) {
    Form owner("owner");
    owner.move(3000, 1500);
    owner.set_width(8775);
    owner.set_height(3540);
    Form dialog("dialog");
    dialog.set_width(4455);
    dialog.set_height(2775);
    display.queue_action([&] { dialog.hide(); });
    dialog.show_modal(owner);
    EXPECT_FLOAT_EQ(dialog.left(), 3000 + 8775 / 2.0f - 4455 / 2.0f);
    EXPECT_FLOAT_EQ(dialog.top(), 1500 + 3540 / 2.0f - 2775 / 2.0f);

    // Moved by the user, it reopens where it was left.
    dialog.move(100, 200);
    display.queue_action([&] { dialog.hide(); });
    dialog.show_modal(owner);
    EXPECT_FLOAT_EQ(dialog.left(), 100);

    // A window without owner opens centred on the screen; one placed before showing stays put.
    Form main("main");
    main.set_width(1500);
    main.set_height(900);
    main.show();
    EXPECT_FLOAT_EQ(main.left(), display.screen_width() / 2 - 750);
    Form placed("placed");
    placed.set_left(45);
    placed.show();
    EXPECT_FLOAT_EQ(placed.left(), 45);
}

TEST_F(FormsTest, AWindowCentredOnAnOwnerNearTheScreenEdgeKeepsItsTitleOnTheScreen) {
    Form owner("owner");
    owner.move(300, 300);
    owner.set_width(8775);
    owner.set_height(3540);
    Form editor("editor");
    editor.set_width(6105);
    editor.set_height(5775);
    display.queue_action([&] { editor.hide(); });
    editor.show_modal(owner);
    EXPECT_FLOAT_EQ(editor.left(), 300 + 8775 / 2.0f - 6105 / 2.0f);
    EXPECT_FLOAT_EQ(editor.top(), 0);

    // Near the bottom right corner it stays inside the screen too.
    Form low("low");
    low.move(display.screen_width() - 2000, display.screen_height() - 1000);
    low.set_width(3000);
    low.set_height(1500);
    Form box("box");
    box.set_width(4000);
    box.set_height(3000);
    display.queue_action([&] { box.hide(); });
    box.show_modal(low);
    EXPECT_FLOAT_EQ(box.left(), display.screen_width() - 4000);
    EXPECT_FLOAT_EQ(box.top(), display.screen_height() - 3000);

    // Over an owner off every screen it opens on the primary screen, not beside its owner.
    Form away("away");
    away.move(-90000, 300);
    away.set_width(3000);
    away.set_height(1500);
    Form note("note");
    note.set_width(1000);
    note.set_height(3000);
    display.queue_action([&] { note.hide(); });
    note.show_modal(away);
    EXPECT_FLOAT_EQ(note.left(), 0);
    EXPECT_FLOAT_EQ(note.top(), 0);
}

class LoadCounter : public Form {
  public:
    LoadCounter() : Form("counter") {}
    int loads = 0;

  protected:
    void Form_Load() override {
        ++loads;
        load();  // touching itself while loading is the same half-loaded window
    }
};

TEST_F(FormsTest, LoadRunsOnce) {
    LoadCounter f;
    EXPECT_FALSE(f.loaded());
    f.show();
    f.hide();
    f.show();
    EXPECT_EQ(f.loads, 1);
}

TEST_F(FormsTest, WheelTurnsWaitInTheWindowsInbox) {
    Form f("f");
    EXPECT_FALSE(f.take_wheel());
    f.deliver_wheel(120);
    f.deliver_wheel(-120);
    EXPECT_EQ(f.take_wheel(), 120);
    EXPECT_EQ(f.take_wheel(), -120);
    EXPECT_FALSE(f.take_wheel());
}

}  // namespace
}  // namespace kv::forms
