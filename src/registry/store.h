#pragma once
// The per-user registry store: the HKEY_CURRENT_USER tree kept as one REGEDIT4 text file. Readers
// take a shared lock and writers an exclusive one (on a lock file beside the store), and writers
// replace the file atomically, so several programs can use the store at once. A store file that
// cannot be read or parsed is never replaced: nothing a user had is lost.
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>

#include "registry/registry_tree.h"

namespace kv::registry {

// $KORVALIN_REGISTRY when set (a relative path is taken from the current folder), else
// ${XDG_CONFIG_HOME:-$HOME/.config}/korvalin/HKEY_CURRENT_USER.reg. Fails (kv::Failure) when
// neither names a place.
std::filesystem::path user_store_path();

// The files that belong to the store: an export written onto one of them would wipe the store, break
// the locking between programs, or be swept away or renamed over the store by a writer.
enum class StoreFile { none, store, lock, temporary };

class Store {
  public:
    explicit Store(std::filesystem::path file);
    // The store at user_store_path().
    static Store for_user();

    const std::filesystem::path& file() const { return file_; }

    // How long a writer waits for the store while no other program finishes a write, before failing.
    void set_lock_timeout(std::chrono::milliseconds timeout) { lock_timeout_ = timeout; }

    // The tree as stored now (empty when there is no store file yet). A file that has not changed
    // since this process last read it is not parsed again. Fails (kv::Failure) when the store file
    // cannot be read or parsed.
    std::shared_ptr<const Key> snapshot() const;

    // Loads the tree under the exclusive lock, lets `change` edit the root, and replaces the file
    // with the result. When `change` throws, the store is left as it was. Fails (kv::Failure) when
    // the store cannot be read, parsed, locked or written, or when the result would be larger than a
    // store may be (max_reg_file_size), which no reader could load again; the file is then untouched.
    // The folder is made when missing.
    void update(const std::function<void(Key& root)>& change) const;

    // Which of the store's own files a write of `file` would replace (following links as writes
    // do, and hard links to the store or its lock file), or none.
    StoreFile own_file(const std::filesystem::path& file) const;

  private:
    std::filesystem::path target() const;

    std::filesystem::path file_;
    std::chrono::milliseconds lock_timeout_{30000};
};

}  // namespace kv::registry
