#include "registry/registry_tree.h"

namespace kv::registry {

Value text_value(std::string name, std::string text) {
    return Value{std::move(name), ValueForm::text, reg_sz, std::move(text)};
}

Value dword_value(std::string name, uint32_t number) {
    std::string data(4, '\0');
    for (int i = 0; i < 4; ++i) data[static_cast<size_t>(i)] = static_cast<char>((number >> (8 * i)) & 0xFF);
    return Value{std::move(name), ValueForm::dword, reg_dword, std::move(data)};
}

std::string fold_name(const std::string& name) {
    std::string folded = name;
    for (char& c : folded)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return folded;
}

Key::Key(std::string name) : name_(std::move(name)) {}

Key* Key::child(const std::string& name) {
    auto found = children_.find(fold_name(name));
    return found == children_.end() ? nullptr : found->second.get();
}

const Key* Key::child(const std::string& name) const {
    auto found = children_.find(fold_name(name));
    return found == children_.end() ? nullptr : found->second.get();
}

Key& Key::child_or_create(const std::string& name) {
    auto& slot = children_[fold_name(name)];
    if (!slot) slot = std::make_unique<Key>(name);
    return *slot;
}

bool Key::remove_child(const std::string& name) {
    return children_.erase(fold_name(name)) > 0;
}

const Value* Key::value(const std::string& name) const {
    auto found = value_positions_.find(fold_name(name));
    return found == value_positions_.end() ? nullptr : &*found->second;
}

void Key::set_value(Value value) {
    auto folded = fold_name(value.name);
    auto found = value_positions_.find(folded);
    if (found != value_positions_.end()) {
        Value& old = *found->second;
        value.name = old.name;
        old = std::move(value);
        return;
    }
    values_.push_back(std::move(value));
    value_positions_.emplace(std::move(folded), std::prev(values_.end()));
}

bool Key::remove_value(const std::string& name) {
    auto found = value_positions_.find(fold_name(name));
    if (found == value_positions_.end()) return false;
    values_.erase(found->second);
    value_positions_.erase(found);
    return true;
}

const Key* Key::find(const std::vector<std::string>& path) const {
    const Key* key = this;
    for (const auto& part : path) {
        key = key->child(part);
        if (!key) return nullptr;
    }
    return key;
}

Key* Key::find(const std::vector<std::string>& path) {
    return const_cast<Key*>(static_cast<const Key*>(this)->find(path));
}

Key& Key::find_or_create(const std::vector<std::string>& path) {
    Key* key = this;
    for (const auto& part : path) key = &key->child_or_create(part);
    return *key;
}

bool Key::remove(const std::vector<std::string>& path) {
    if (path.empty()) return false;
    Key* parent = find(std::vector<std::string>(path.begin(), path.end() - 1));
    return parent && parent->remove_child(path.back());
}

}  // namespace kv::registry
