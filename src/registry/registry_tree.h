#pragma once
// The registry tree held in memory: keys with case-insensitive names that keep the case they were
// created with, values in the order they were set, sub-keys sorted ignoring case.
#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace kv::registry {

// Registry value types as the files name them.
constexpr uint32_t reg_sz = 1;
constexpr uint32_t reg_expand_sz = 2;
constexpr uint32_t reg_binary = 3;
constexpr uint32_t reg_dword = 4;
constexpr uint32_t reg_multi_sz = 7;

// How a value is written in a .reg file; kept so every value comes back the way it went in.
enum class ValueForm {
    text,   // "name"="text": data is the text without a terminating zero, type reg_sz
    dword,  // "name"=dword:0000001f: data is 4 bytes, least significant first, type reg_dword
    hex     // "name"=hex:... or hex(N):...: data is the raw bytes, type N (hex: is reg_binary)
};

struct Value {
    std::string name;  // "" is the key's default value, written @
    ValueForm form = ValueForm::text;
    uint32_t type = reg_sz;
    std::string data;

    bool operator==(const Value&) const = default;
};

Value text_value(std::string name, std::string text);
Value dword_value(std::string name, uint32_t number);

// Names compared as Windows compared registry names: ASCII letters folded to upper case.
std::string fold_name(const std::string& name);

class Key {
  public:
    explicit Key(std::string name = {});
    Key(Key&&) noexcept = default;
    Key& operator=(Key&&) noexcept = default;
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

    const std::string& name() const { return name_; }

    Key* child(const std::string& name);
    const Key* child(const std::string& name) const;
    // The sub-key of that name, made when missing (a new key takes the name as written).
    Key& child_or_create(const std::string& name);
    bool remove_child(const std::string& name);
    // Sub-keys in the order they are written out: sorted ignoring case.
    const std::map<std::string, std::unique_ptr<Key>>& children() const { return children_; }

    // In the order they were first set. A list, so removing one never moves the others.
    const std::list<Value>& values() const { return values_; }
    const Value* value(const std::string& name) const;
    // Replaces a value in place (its name keeps its first spelling) or adds it at the end.
    void set_value(Value value);
    bool remove_value(const std::string& name);

    // The key at the end of a path of sub-key names; nothing when one is missing.
    const Key* find(const std::vector<std::string>& path) const;
    Key* find(const std::vector<std::string>& path);
    Key& find_or_create(const std::vector<std::string>& path);
    // Removes the sub-key at the end of the path with everything under it; false when missing.
    bool remove(const std::vector<std::string>& path);

  private:
    std::string name_;
    std::list<Value> values_;
    std::unordered_map<std::string, std::list<Value>::iterator> value_positions_;  // folded name -> value
    std::map<std::string, std::unique_ptr<Key>> children_;                         // folded name -> sub-key
};

}  // namespace kv::registry
