#pragma once
// A Qt application and a Qt display for each test, with forms made in the test and helpers that
// send input to the real windows the way the window system would.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "forms/form.h"
#include "qt/qt_backend.h"
#include "qt/text.h"

namespace kvtest {

// Copies the program folder the build assembles (skins, languages) into a folder, without the
// program itself.
inline void copy_program_folder(const std::filesystem::path& to) {
    std::filesystem::copy(KORVALIN_PROGRAM_DIR, to, std::filesystem::copy_options::recursive);
    std::filesystem::remove(to / "korvalin");
}

// The one QApplication of the test program. It goes before the program exits: Qt's own globals
// would otherwise be torn down under it.
class QtApplication : public ::testing::Environment {
  public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "tests_qt";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QApplication>(argc, argv);
        // The offscreen platform says so for every raise, mask and opacity; nothing to learn from that.
        previous_handler() = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
                if (!message.startsWith(QLatin1String("This plugin does not support")))
                    previous_handler()(type, context, message);
            });
    }
    void TearDown() override {
        qInstallMessageHandler(previous_handler());
        app_.reset();
    }

  private:
    static QtMessageHandler& previous_handler() {
        static QtMessageHandler handler = nullptr;
        return handler;
    }
    std::unique_ptr<QApplication> app_;
};

class QtFormsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(QApplication::instance(), nullptr);
        backend_ = std::make_unique<kv::qt::QtBackend>();
        kv::forms::set_backend(backend_.get());
    }

    void TearDown() override {
        forms_.clear();
        backend_.reset();
        kv::forms::set_backend(nullptr);
    }

    kv::forms::Form& make_form(const std::string& name, float width_px, float height_px) {
        forms_.push_back(std::make_unique<kv::forms::Form>(name));
        kv::forms::Form& f = *forms_.back();
        f.set_width(width_px * 15);
        f.set_height(height_px * 15);
        return f;
    }

    QWidget& window(const kv::forms::Form& f) { return *backend_->window_of(f); }
    template <typename W>
    W& widget(const kv::forms::Control& c) {
        backend_->sync_all();
        return *dynamic_cast<W*>(backend_->widget_of(c));
    }

    // Runs the event loop for a while, or until the condition holds.
    template <typename Condition>
    bool wait_until(Condition done, int ms = 2000) {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 5);
        return done();
    }
    void run_events(int ms) {
        wait_until([] { return false; }, ms);
    }

    // The mouse at a pixel of the widget.
    static void mouse(QWidget& w, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton,
                      Qt::MouseButtons held = Qt::NoButton, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QMouseEvent e(type, QPointF(at), QPointF(w.mapToGlobal(at)), button, held, mods);
        QApplication::sendEvent(&w, &e);
    }
    static void click(QWidget& w, QPoint at) {
        mouse(w, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        mouse(w, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    }
    static void key(QWidget& w, int qt_key, const QString& text = {},
                    Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, qt_key, mods, text);
        QApplication::sendEvent(&w, &press);
        QKeyEvent release(QEvent::KeyRelease, qt_key, mods, text);
        QApplication::sendEvent(&w, &release);
    }
    // Types text as a keyboard would, one key per character.
    static void type(QWidget& w, const QString& text) {
        for (QChar c : text) {
            const int k = c.isLetter() && c.unicode() < 128 ? c.toUpper().unicode() : 0;
            key(w, k, QString(c), c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier);
        }
    }

    std::unique_ptr<kv::qt::QtBackend> backend_;
    std::vector<std::unique_ptr<kv::forms::Form>> forms_;
};

}  // namespace kvtest
