#include "registry/store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <new>
#include <thread>

#include "platform/runtime.h"
#include "platform/text_file.h"
#include "registry/reg_file_reader.h"
#include "registry/reg_file_writer.h"
#include "registry/regular_file.h"

namespace kv::registry {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::filesystem::path lock_file_of(const std::filesystem::path& target) {
    return target.string() + ".lock";
}

// What identifies one version of the store file: writers replace it, so a new version is a new file.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};
    bool exists = false;

    bool operator==(const FileStamp& other) const {
        return exists == other.exists && device == other.device && inode == other.inode &&
               size == other.size && modified.tv_sec == other.modified.tv_sec &&
               modified.tv_nsec == other.modified.tv_nsec && changed.tv_sec == other.changed.tv_sec &&
               changed.tv_nsec == other.changed.tv_nsec;
    }
};

FileStamp stamp_of(const std::filesystem::path& file) {
    FileStamp stamp;
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0) return stamp;
    stamp.exists = true;
    stamp.device = info.st_dev;
    stamp.inode = info.st_ino;
    stamp.size = info.st_size;
    stamp.modified = info.st_mtim;
    stamp.changed = info.st_ctim;
    return stamp;
}

// Holds a flock on the store's lock file for its lifetime.
class StoreLock {
  public:
    StoreLock() = default;
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;
    ~StoreLock() {
        if (fd_ >= 0) ::close(fd_);  // closing releases the lock
    }

    // Exclusive: waits (see wait_for), then fails.
    void lock_exclusive(const std::filesystem::path& store, std::chrono::milliseconds timeout) {
        const auto lock_file = lock_file_of(store);
        fd_ = ::open(lock_file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0666);
        if (fd_ < 0)
            throw platform::Failure("cannot lock " + lock_file.string() + ": " + std::strerror(errno));
        wait_for(LOCK_EX, store, timeout);
    }

    // Shared: taken when the lock file can be opened. Without one (a read-only folder) the store is
    // read unlocked, which is safe because writers replace it whole.
    void lock_shared(const std::filesystem::path& store, std::chrono::milliseconds timeout) {
        const auto lock_file = lock_file_of(store);
        fd_ = ::open(lock_file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0666);
        if (fd_ < 0) fd_ = ::open(lock_file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
        if (fd_ < 0) return;
        wait_for(LOCK_SH, store, timeout);
    }

  private:
    // Waits as long as other programs keep finishing their writes (each replaces the store file), so
    // any number of writers queued at once all get their turn; fails only when the store has been
    // held for `timeout` with no write finishing, which is a program stuck while holding it.
    void wait_for(int operation, const std::filesystem::path& store, std::chrono::milliseconds timeout) {
        FileStamp seen = stamp_of(store);
        auto deadline = std::chrono::steady_clock::now() + timeout;
        auto pause = std::chrono::microseconds(200);
        for (;;) {
            if (::flock(fd_, operation | LOCK_NB) == 0) return;
            if (errno != EWOULDBLOCK && errno != EINTR)
                throw platform::Failure("cannot lock " + lock_file_of(store).string() + ": " +
                                        std::strerror(errno));
            const auto now = std::chrono::steady_clock::now();
            if (FileStamp current = stamp_of(store); !(current == seen)) {
                seen = current;
                deadline = now + timeout;
            } else if (now >= deadline) {
                throw platform::Failure("the registry store is busy: another program has held " +
                                        lock_file_of(store).string() +
                                        " for too long without finishing a write");
            }
            std::this_thread::sleep_for(pause);
            pause = std::min(pause * 2, std::chrono::microseconds(10000));
        }
    }

    int fd_ = -1;
};

struct CachedTree {
    FileStamp stamp;
    std::shared_ptr<const Key> root;
};

std::mutex cache_mutex;
std::map<std::string, CachedTree>& cache() {
    static auto& trees = *new std::map<std::string, CachedTree>;
    return trees;
}

std::shared_ptr<const Key> cached(const std::filesystem::path& target, const FileStamp& stamp) {
    std::lock_guard<std::mutex> lock(cache_mutex);
    auto found = cache().find(target.string());
    if (found == cache().end() || !(found->second.stamp == stamp)) return nullptr;
    return found->second.root;
}

void remember(const std::filesystem::path& target, const FileStamp& stamp, std::shared_ptr<const Key> root) {
    if (!stamp.exists) return;
    std::lock_guard<std::mutex> lock(cache_mutex);
    cache()[target.string()] = CachedTree{stamp, std::move(root)};
}

// The stored tree; an absent or empty file is an empty store.
Key load_tree(const std::filesystem::path& target) {
    Key root;
    try {
        auto bytes = read_regular_file(target);
        if (!bytes || bytes->empty()) return root;
        apply_changes(parse_reg_file(*bytes), root);
    } catch (const platform::Failure& failure) {
        throw platform::Failure("the registry store " + target.string() + " cannot be read (" +
                                failure.what() + "); it is left as it is");
    } catch (const std::bad_alloc&) {
        throw platform::Failure("the registry store " + target.string() +
                                " cannot be read (not enough memory); it is left as it is");
    }
    return root;
}

}  // namespace

std::filesystem::path user_store_path() {
    std::string chosen = environment("KORVALIN_REGISTRY");
    if (!chosen.empty()) {
        std::error_code ec;
        auto absolute = std::filesystem::absolute(chosen, ec);
        return ec ? std::filesystem::path(chosen) : absolute;
    }
    std::filesystem::path config = environment("XDG_CONFIG_HOME");
    if (config.empty() || config.is_relative()) {
        std::string home = environment("HOME");
        if (home.empty())
            throw platform::Failure("no registry store: neither KORVALIN_REGISTRY nor HOME is set");
        config = std::filesystem::path(home) / ".config";
    }
    return config / "korvalin" / "HKEY_CURRENT_USER.reg";
}

Store::Store(std::filesystem::path file) : file_(std::move(file)) {}

Store Store::for_user() {
    return Store(user_store_path());
}

std::filesystem::path Store::target() const {
    // A linked store file is written through to the file it points to, even one not made yet.
    std::filesystem::path path = file_;
    for (int hops = 0;; ++hops) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, ec))) return path;
        if (hops == 40)
            throw platform::Failure("cannot follow the link " + file_.string() + ": too many links");
        auto next = std::filesystem::read_symlink(path, ec);
        if (ec) throw platform::Failure("cannot follow the link " + file_.string() + ": " + ec.message());
        path = next.is_absolute() ? next : (path.parent_path() / next).lexically_normal();
    }
}

std::shared_ptr<const Key> Store::snapshot() const {
    const std::filesystem::path path = target();
    std::error_code ec;
    auto folder = path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
    if (!std::filesystem::is_directory(folder, ec)) return std::make_shared<const Key>();

    StoreLock lock;
    lock.lock_shared(path, lock_timeout_);
    FileStamp before = stamp_of(path);
    if (!before.exists) return std::make_shared<const Key>();
    if (auto tree = cached(path, before)) return tree;
    auto tree = std::make_shared<const Key>(load_tree(path));
    // Kept only when nobody changed the file while it was read (a program that ignores the lock).
    if (stamp_of(path) == before) remember(path, before, tree);
    return tree;
}

void Store::update(const std::function<void(Key& root)>& change) const {
    const std::filesystem::path path = target();
    if (path.has_parent_path()) {
        std::error_code ec;
        std::filesystem::create_directories(path.parent_path(), ec);
        if (ec)
            throw platform::Failure("cannot make the folder " + path.parent_path().string() + ": " +
                                    ec.message());
    }
    StoreLock lock;
    lock.lock_exclusive(path, lock_timeout_);

    Key root = load_tree(path);
    change(root);
    std::string bytes;
    try {
        bytes = write_reg_file(root, {}, max_reg_file_size);
    } catch (const platform::Failure& failure) {
        throw platform::Failure("the registry store " + path.string() + " cannot take this change: " +
                                failure.what() + ", more than a store may hold; it is left as it was");
    }
    platform::write_bytes_atomically(path, bytes);
    remember(path, stamp_of(path), std::make_shared<const Key>(std::move(root)));
}

StoreFile Store::own_file(const std::filesystem::path& file) const {
    const std::filesystem::path store = target();
    const std::filesystem::path lock = lock_file_of(store);
    std::error_code ec;
    if (std::filesystem::equivalent(file, store, ec)) return StoreFile::store;
    if (std::filesystem::equivalent(file, lock, ec)) return StoreFile::lock;

    // Writes follow a link at the file's name and in its folders, so the place written is compared.
    const auto written = std::filesystem::weakly_canonical(std::filesystem::absolute(file, ec), ec);
    if (ec) return StoreFile::none;
    const auto store_folder =
        std::filesystem::weakly_canonical(std::filesystem::absolute(store, ec).parent_path(), ec);
    if (ec || written.parent_path() != store_folder) return StoreFile::none;
    const std::string name = written.filename().string();
    const std::string store_name = store.filename().string();
    if (name == store_name) return StoreFile::store;
    if (name == lock.filename().string()) return StoreFile::lock;
    if (platform::is_temporary_name(name, store_name)) return StoreFile::temporary;
    return StoreFile::none;
}

}  // namespace kv::registry
