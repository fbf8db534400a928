#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <thread>

#include "platform/runtime.h"
#include "platform/text_file.h"
#include "registry/regedit_command.h"
#include "registry/store.h"
#include "support/test_support.h"

namespace reg = kv::registry;

namespace {

void set_text(const reg::Store& store, const std::vector<std::string>& key, const std::string& name,
              const std::string& text) {
    store.update([&](reg::Key& root) { root.find_or_create(key).set_value(reg::text_value(name, text)); });
}

std::string text_of(const reg::Store& store, const std::vector<std::string>& key, const std::string& name) {
    auto root = store.snapshot();
    const reg::Key* found = root->find(key);
    const reg::Value* value = found ? found->value(name) : nullptr;
    return value ? value->data : "<missing>";
}

class EnvironmentVariable {
  public:
    explicit EnvironmentVariable(const char* name) : name_(name) {
        const char* value = std::getenv(name);
        if (value) old_ = value;
        had_ = value != nullptr;
    }
    ~EnvironmentVariable() {
        if (had_)
            ::setenv(name_, old_.c_str(), 1);
        else
            ::unsetenv(name_);
    }
    EnvironmentVariable(const EnvironmentVariable&) = delete;
    EnvironmentVariable& operator=(const EnvironmentVariable&) = delete;

  private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};

TEST(RegistryStore, ItsPlaceComesFromTheEnvironment) {
    EnvironmentVariable chosen("KORVALIN_REGISTRY"), config("XDG_CONFIG_HOME"), home("HOME");
    ::setenv("KORVALIN_REGISTRY", "/somewhere/store.reg", 1);
    EXPECT_EQ(reg::user_store_path(), "/somewhere/store.reg");
    ::unsetenv("KORVALIN_REGISTRY");
    ::setenv("XDG_CONFIG_HOME", "/config", 1);
    ::setenv("HOME", "/home/u", 1);
    EXPECT_EQ(reg::user_store_path(), "/config/korvalin/HKEY_CURRENT_USER.reg");
    ::setenv("XDG_CONFIG_HOME", "", 1);
    EXPECT_EQ(reg::user_store_path(), "/home/u/.config/korvalin/HKEY_CURRENT_USER.reg");
    ::setenv("XDG_CONFIG_HOME", "relative", 1);
    EXPECT_EQ(reg::user_store_path(), "/home/u/.config/korvalin/HKEY_CURRENT_USER.reg");
    ::unsetenv("XDG_CONFIG_HOME");
    ::unsetenv("HOME");
    EXPECT_THROW(reg::user_store_path(), kv::platform::Failure);
}

TEST(RegistryStore, FirstWriteMakesTheFolderAndLaterReadsSeeEachChange) {
    kvtest::TempFolder temp;
    reg::Store store(temp / "a" / "b" / "HKEY_CURRENT_USER.reg");
    EXPECT_TRUE(store.snapshot()->children().empty());
    EXPECT_FALSE(std::filesystem::exists(temp / "a"));

    set_text(store, {"Software", "X"}, "v", "1");
    EXPECT_EQ(kvtest::read_file(store.file()),
              "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER]\r\n\r\n"
              "[HKEY_CURRENT_USER\\Software]\r\n\r\n"
              "[HKEY_CURRENT_USER\\Software\\X]\r\n\"v\"=\"1\"\r\n\r\n");
    // Another program's write (another Store object reads the file anew) is seen by the next read.
    reg::Store other(store.file());
    set_text(other, {"Software", "X"}, "v", "2");
    EXPECT_EQ(text_of(store, {"Software", "X"}, "v"), "2");
    // A file changed behind the store's back is read again too.
    kvtest::write_file(store.file(), "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\X]\r\n\"v\"=\"three\"\r\n");
    EXPECT_EQ(text_of(store, {"Software", "X"}, "v"), "three");

    // An empty store file holds nothing worth keeping.
    kvtest::write_file(store.file(), "");
    set_text(store, {"K"}, "v", "x");
    EXPECT_EQ(text_of(store, {"K"}, "v"), "x");
}

TEST(RegistryStore, AFailedChangeLeavesTheStoreAsItWas) {
    kvtest::TempFolder temp;
    reg::Store store(temp / "HKEY_CURRENT_USER.reg");
    set_text(store, {"K"}, "v", "before");
    const std::string stored = kvtest::read_file(store.file());
    EXPECT_THROW(store.update([](reg::Key& root) {
        root.find_or_create({"K"}).set_value(reg::text_value("v", "after"));
        throw kv::platform::Failure("half done");
    }),
                 kv::platform::Failure);
    EXPECT_EQ(kvtest::read_file(store.file()), stored);
    EXPECT_EQ(text_of(store, {"K"}, "v"), "before");
}

TEST(RegistryStore, StoreFilesThatCannotBeReadAreNeverReplaced) {
    kvtest::TempFolder temp;
    const std::string garbage = "REGEDIT4\r\n[HKEY_CURRENT_USER\\K]\r\n\"v\"=\"unterminated\r\n";
    kvtest::write_file(temp / "garbage.reg", garbage);
    reg::Store broken(temp / "garbage.reg");
    EXPECT_THROW(broken.snapshot(), kv::platform::Failure);
    EXPECT_THROW(set_text(broken, {"K"}, "v", "x"), kv::platform::Failure);
    EXPECT_EQ(kvtest::read_file(temp / "garbage.reg"), garbage);

    // A FIFO is neither waited on (which would hang) nor replaced.
    ASSERT_EQ(::mkfifo((temp / "fifo.reg").c_str(), 0600), 0);
    reg::Store fifo(temp / "fifo.reg");
    EXPECT_THROW(fifo.snapshot(), kv::platform::Failure);
    EXPECT_THROW(set_text(fifo, {"K"}, "v", "x"), kv::platform::Failure);
    EXPECT_TRUE(std::filesystem::is_fifo(temp / "fifo.reg"));

    std::filesystem::create_directory(temp / "folder.reg");
    reg::Store folder(temp / "folder.reg");
    EXPECT_THROW(folder.snapshot(), kv::platform::Failure);
    EXPECT_THROW(set_text(folder, {"K"}, "v", "x"), kv::platform::Failure);
    EXPECT_TRUE(std::filesystem::is_directory(temp / "folder.reg"));

    reg::Store device("/dev/zero");
    EXPECT_THROW(device.snapshot(), kv::platform::Failure);
}

TEST(RegistryStore, ALinkedStoreIsWrittenThroughToItsTarget) {
    kvtest::TempFolder temp;
    std::filesystem::create_directories(temp / "real");
    std::filesystem::create_directories(temp / "config");
    std::filesystem::create_symlink("../real/store.reg", temp / "config" / "HKEY_CURRENT_USER.reg");
    reg::Store store(temp / "config" / "HKEY_CURRENT_USER.reg");
    set_text(store, {"K"}, "v", "1");
    set_text(store, {"K"}, "w", "2");
    EXPECT_TRUE(std::filesystem::is_symlink(temp / "config" / "HKEY_CURRENT_USER.reg"));
    EXPECT_NE(kvtest::read_file(temp / "real" / "store.reg").find("\"w\"=\"2\""), std::string::npos);
    EXPECT_EQ(text_of(store, {"K"}, "v"), "1");
    // Also when the link lies in the program folder and leads out of it: the store is the user's.
    {
        const kvtest::ProgramFolderScope scope(temp / "config");
        set_text(store, {"K"}, "x", "3");
    }
    EXPECT_NE(kvtest::read_file(temp / "real" / "store.reg").find("\"x\"=\"3\""), std::string::npos);

    std::filesystem::create_symlink("loop.reg", temp / "loop.reg");
    EXPECT_THROW(set_text(reg::Store(temp / "loop.reg"), {"K"}, "v", "1"), kv::platform::Failure);
}

TEST(RegistryStore, WritersRemoveTheTemporariesOfKilledWritesAndNothingElse) {
    kvtest::TempFolder temp;
    reg::Store store(temp / "HKEY_CURRENT_USER.reg");
    kvtest::write_file(temp / ".HKEY_CURRENT_USER.reg.0123456789abcdef.tmp", "half a write");
    kvtest::write_file(temp / ".other.reg.0123456789abcdef.tmp", "not ours");
    kvtest::write_file(temp / "notes.tmp", "not ours either");
    set_text(store, {"K"}, "v", "1");
    EXPECT_FALSE(std::filesystem::exists(temp / ".HKEY_CURRENT_USER.reg.0123456789abcdef.tmp"));
    EXPECT_TRUE(std::filesystem::exists(temp / ".other.reg.0123456789abcdef.tmp"));
    EXPECT_TRUE(std::filesystem::exists(temp / "notes.tmp"));
}

TEST(RegistryStore, AWriterGivesUpWhenAnotherProgramHoldsTheStore) {
    kvtest::TempFolder temp;
    reg::Store store(temp / "HKEY_CURRENT_USER.reg");
    set_text(store, {"K"}, "v", "1");
    const std::string stored = kvtest::read_file(store.file());

    int fd = ::open((temp / "HKEY_CURRENT_USER.reg.lock").c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    store.set_lock_timeout(std::chrono::milliseconds(100));
    EXPECT_THROW(set_text(store, {"K"}, "v", "2"), kv::platform::Failure);
    reg::Store reader(store.file());
    reader.set_lock_timeout(std::chrono::milliseconds(100));
    EXPECT_THROW(reader.snapshot(), kv::platform::Failure);
    ::close(fd);
    EXPECT_EQ(kvtest::read_file(store.file()), stored);
    set_text(store, {"K"}, "v", "2");
    EXPECT_EQ(text_of(store, {"K"}, "v"), "2");
}

TEST(RegistryStore, AWriterWaitsAsLongAsOtherWritesKeepFinishing) {
    kvtest::TempFolder temp;
    reg::Store store(temp / "HKEY_CURRENT_USER.reg");
    set_text(store, {"K"}, "v", "1");
    const std::string stored = kvtest::read_file(store.file());

    // Another program holds the store for over twice the writer's limit in all, finishing a write
    // every 100 ms. The limit leaves room for a write that a busy disk holds up for a second.
    int fd = ::open((temp / "HKEY_CURRENT_USER.reg.lock").c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    reg::Store waiting(store.file());
    const auto limit = std::chrono::milliseconds(1500);
    waiting.set_lock_timeout(limit);
    bool written = false;
    std::thread writer(
        [&] { written = !kv::platform::skip_failure([&] { set_text(waiting, {"K"}, "w", "2"); }); });
    const auto held_until = std::chrono::steady_clock::now() + limit * 5 / 2;
    while (std::chrono::steady_clock::now() < held_until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        kv::platform::write_bytes_atomically(store.file(), stored);
    }
    ::close(fd);
    writer.join();
    EXPECT_TRUE(written);
    EXPECT_EQ(text_of(store, {"K"}, "w"), "2");
}

// Each waits with the 30 s korvalin-regedit waits, though all of them in turn take longer than that
// on a busy machine.
TEST(RegistryStore, FiftySimultaneousImportsAllLand) {
    kvtest::TempFolder temp;
    reg::Store store(temp / "HKEY_CURRENT_USER.reg");
    // Each file is 1 MB: the same bulk values, which every import rewrites, and a key of its own.
    std::string bulk;
    for (int key = 0; bulk.size() < 1024 * 1024; ++key) {
        bulk += "[HKEY_CURRENT_USER\\Software\\Bulk\\Key" + std::to_string(key) + "]\r\n";
        for (int v = 0; v < 50; ++v)
            bulk +=
                "\"Value" + std::to_string(v) + "\"=\"" + std::string(12, 'x') + std::to_string(v) + "\"\r\n";
    }
    constexpr int imports = 50;
    for (int i = 0; i < imports; ++i)
        kvtest::write_file(temp / ("import" + std::to_string(i) + ".reg"),
                           "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Import" + std::to_string(i) +
                               "]\r\n\"landed\"=\"yes\"\r\n" + bulk);

    std::vector<pid_t> children;
    for (int i = 0; i < imports; ++i) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            std::ostringstream notes;
            const bool failed = kv::platform::skip_failure(
                [&] { reg::import_reg_file(store, temp / ("import" + std::to_string(i) + ".reg"), notes); });
            ::_exit(failed ? 1 : 0);
        }
        children.push_back(pid);
    }
    int landed = 0;
    for (pid_t pid : children) {
        int status = 0;
        if (::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0) ++landed;
    }
    EXPECT_EQ(landed, imports);
    auto root = store.snapshot();
    for (int i = 0; i < imports; ++i)
        EXPECT_NE(root->find({"Software", "Import" + std::to_string(i)}), nullptr) << i;
}

}  // namespace
