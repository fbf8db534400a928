#include "registry/reg_file_reader.h"

#include <cstdint>
#include <type_traits>

#include "platform/runtime.h"
#include "registry/key_path.h"

namespace kv::registry {

namespace {

constexpr std::string_view regedit4_signature = "REGEDIT4";
constexpr std::string_view version5_signature = "Windows Registry Editor Version 5.00";

void append_utf8(std::string& out, uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

std::string utf16le_to_utf8(std::string_view bytes) {
    if (bytes.size() % 2 != 0) throw platform::Failure("the UTF-16 text ends in the middle of a character");
    std::string out;
    out.reserve(bytes.size() / 2);
    auto unit = [&](size_t i) {
        return static_cast<uint32_t>(static_cast<unsigned char>(bytes[i])) |
               (static_cast<uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8);
    };
    for (size_t i = 0; i < bytes.size(); i += 2) {
        uint32_t code = unit(i);
        if (code >= 0xD800 && code <= 0xDBFF) {
            if (i + 3 >= bytes.size()) throw platform::Failure("broken UTF-16 text");
            uint32_t low = unit(i + 2);
            if (low < 0xDC00 || low > 0xDFFF) throw platform::Failure("broken UTF-16 text");
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        } else if (code >= 0xDC00 && code <= 0xDFFF) {
            throw platform::Failure("broken UTF-16 text");
        }
        append_utf8(out, code);
    }
    return out;
}

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trim_right(std::string_view text) {
    while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
    return text;
}

std::string_view trim_left(std::string_view text) {
    while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
    return text;
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool starts_with_ignoring_case(std::string_view text, std::string_view start) {
    if (text.size() < start.size()) return false;
    for (size_t i = 0; i < start.size(); ++i) {
        char a = text[i];
        if (a >= 'A' && a <= 'Z') a = static_cast<char>(a - 'A' + 'a');
        if (a != start[i]) return false;
    }
    return true;
}

// 1 to 8 hexadecimal digits.
uint32_t parse_hex_number(std::string_view digits, const char* what) {
    if (digits.empty() || digits.size() > 8) throw platform::Failure(std::string("bad ") + what);
    uint32_t number = 0;
    for (char c : digits) {
        int d = hex_digit(c);
        if (d < 0) throw platform::Failure(std::string("bad ") + what);
        number = (number << 4) | static_cast<uint32_t>(d);
    }
    return number;
}

// Bytes written "01,ff,3": each one or two hexadecimal digits, blanks allowed around them.
std::string parse_hex_bytes(std::string_view list) {
    std::string data;
    list = trim_left(trim_right(list));
    if (list.empty()) return data;
    data.reserve(list.size() / 3 + 1);
    size_t i = 0;
    for (;;) {
        while (i < list.size() && is_blank(list[i])) ++i;
        size_t start = i;
        while (i < list.size() && hex_digit(list[i]) >= 0) ++i;
        size_t length = i - start;
        if (length == 0 || length > 2) throw platform::Failure("bad hexadecimal byte list");
        int value = hex_digit(list[start]);
        if (length == 2) value = value * 16 + hex_digit(list[start + 1]);
        data += static_cast<char>(value);
        while (i < list.size() && is_blank(list[i])) ++i;
        if (i == list.size()) return data;
        if (list[i] != ',') throw platform::Failure("bad hexadecimal byte list");
        ++i;
    }
}

// A double-quoted text from position i (at the opening quote); \\ and \" are escapes, any other
// backslash stays as written. Leaves i after the closing quote.
std::string parse_quoted(std::string_view line, size_t& i) {
    std::string text;
    ++i;
    while (i < line.size()) {
        // Plain characters are copied a run at a time.
        size_t run = i;
        while (run < line.size() && line[run] != '"' && line[run] != '\\') ++run;
        text.append(line.substr(i, run - i));
        i = run;
        if (i >= line.size()) break;
        if (line[i] == '"') {
            ++i;
            return text;
        }
        if (i + 1 < line.size() && (line[i + 1] == '\\' || line[i + 1] == '"')) {
            text += line[i + 1];
            i += 2;
            continue;
        }
        text += line[i];
        ++i;
    }
    throw platform::Failure("a quoted text has no closing quote");
}

struct ValueLine {
    bool remove = false;
    Value value;
};

ValueLine parse_value_line(std::string_view line) {
    ValueLine result;
    size_t i = 0;
    if (line[0] == '@') {
        i = 1;
    } else if (line[0] == '"') {
        result.value.name = parse_quoted(line, i);
    } else {
        throw platform::Failure("not a key, a value or a comment");
    }
    while (i < line.size() && is_blank(line[i])) ++i;
    if (i >= line.size() || line[i] != '=') throw platform::Failure("a value name is not followed by '='");
    ++i;
    std::string_view data = trim_left(line.substr(i));
    Value& value = result.value;

    if (data == "-") {
        result.remove = true;
    } else if (!data.empty() && data[0] == '"') {
        size_t j = 0;
        value.form = ValueForm::text;
        value.type = reg_sz;
        value.data = parse_quoted(data, j);
        if (!trim_left(data.substr(j)).empty()) throw platform::Failure("text follows a quoted value");
    } else if (starts_with_ignoring_case(data, "dword:")) {
        uint32_t number = parse_hex_number(data.substr(6), "dword number");
        value = dword_value(std::move(value.name), number);
    } else if (starts_with_ignoring_case(data, "hex:")) {
        value.form = ValueForm::hex;
        value.type = reg_binary;
        value.data = parse_hex_bytes(data.substr(4));
    } else if (starts_with_ignoring_case(data, "hex(")) {
        size_t close = data.find(')');
        if (close == std::string_view::npos || close + 1 >= data.size() || data[close + 1] != ':')
            throw platform::Failure("bad hex(N): value");
        value.form = ValueForm::hex;
        value.type = parse_hex_number(data.substr(4, close - 4), "value type");
        value.data = parse_hex_bytes(data.substr(close + 2));
    } else {
        throw platform::Failure("unknown value data");
    }
    return result;
}

// Version 5 files hold the bytes of hex(1), hex(2) and hex(7) texts in UTF-16LE; the store, a
// REGEDIT4 file, holds them as single-byte text, as the registry editor converted them between its
// two formats. Bytes that are not UTF-16 stay as they are.
void narrow_text_bytes(Value& value) {
    if (value.form != ValueForm::hex || value.data.size() % 2 != 0) return;
    if (value.type != reg_sz && value.type != reg_expand_sz && value.type != reg_multi_sz) return;
    try {
        value.data = utf16le_to_utf8(value.data);
    } catch (const platform::Failure&) {
    }
}

class Parser {
  public:
    explicit Parser(const std::string& text) : text_(text) {}

    ParsedRegFile run() {
        std::string_view first;
        if (!next_line(first)) throw platform::Failure("empty file: not a registry file");
        first = trim_right(first);
        if (first != regedit4_signature && first != version5_signature)
            throw platform::Failure("not a registry file (it does not start with \"REGEDIT4\" or \"" +
                                    std::string(version5_signature) + "\")");
        wide_texts_ = first == version5_signature;
        std::string_view line;
        while (next_line(line)) {
            try {
                take_line(line);
            } catch (const platform::Failure& failure) {
                throw platform::Failure("line " + std::to_string(line_number_) + ": " + failure.what());
            }
        }
        return std::move(result_);
    }

  private:
    bool next_line(std::string_view& line) {
        if (position_ >= text_.size()) return false;
        size_t end = position_;
        while (end < text_.size() && text_[end] != '\n' && text_[end] != '\r') ++end;
        line = std::string_view(text_).substr(position_, end - position_);
        position_ = end;
        if (position_ < text_.size()) {
            if (text_[position_] == '\r' && position_ + 1 < text_.size() && text_[position_ + 1] == '\n')
                position_ += 2;
            else
                ++position_;
        }
        ++line_number_;
        return true;
    }

    void take_line(std::string_view raw) {
        std::string_view line = trim_left(trim_right(raw));
        if (line.empty() || line[0] == ';') return;
        if (line.find('\0') != std::string_view::npos) throw platform::Failure("a zero byte: not text");
        if (line[0] == '[') return take_key(line);
        if (mode_ == KeyMode::none) throw platform::Failure("a value before the first key");

        // A line ending in a backslash goes on in the next one (long hexadecimal lists).
        std::string joined;
        if (line.back() == '\\') {
            joined.assign(line.substr(0, line.size() - 1));
            std::string_view more;
            for (;;) {
                if (!next_line(more)) throw platform::Failure("the file ends inside a continued value");
                more = trim_left(trim_right(more));
                if (more.find('\0') != std::string_view::npos)
                    throw platform::Failure("a zero byte: not text");
                if (!more.empty() && more.back() == '\\') {
                    joined.append(more.substr(0, more.size() - 1));
                    continue;
                }
                joined.append(more);
                break;
            }
            line = joined;
        }
        ValueLine parsed = parse_value_line(line);
        if (wide_texts_) narrow_text_bytes(parsed.value);
        if (mode_ != KeyMode::current_user) return;  // values of a deleted or foreign key are passed over
        Change change;
        change.kind = parsed.remove ? Change::Kind::delete_value : Change::Kind::set_value;
        change.key = result_.keys.size() - 1;
        change.value = std::move(parsed.value);
        result_.changes.push_back(std::move(change));
    }

    void take_key(std::string_view line) {
        size_t close = line.rfind(']');
        if (close == std::string_view::npos) throw platform::Failure("a key line has no closing ']'");
        if (!trim_left(line.substr(close + 1)).empty()) throw platform::Failure("text follows a key line");
        std::string_view inner = line.substr(1, close - 1);
        bool remove = !inner.empty() && inner[0] == '-';
        if (remove) inner.remove_prefix(1);
        KeyPath path = parse_key_path(std::string(inner));
        if (!path.current_user) {
            result_.notes.push_back("line " + std::to_string(line_number_) + ": key " + std::string(inner) +
                                    " is not under HKEY_CURRENT_USER; passed over");
            mode_ = KeyMode::skipped;
            return;
        }
        if (remove && path.names.empty()) {
            result_.notes.push_back("line " + std::to_string(line_number_) +
                                    ": HKEY_CURRENT_USER itself cannot be deleted; passed over");
            mode_ = KeyMode::skipped;
            return;
        }
        result_.keys.push_back(std::move(path.names));
        Change change;
        change.kind = remove ? Change::Kind::delete_key : Change::Kind::create_key;
        change.key = result_.keys.size() - 1;
        result_.changes.push_back(std::move(change));
        mode_ = remove ? KeyMode::skipped : KeyMode::current_user;
    }

    enum class KeyMode { none, current_user, skipped };

    const std::string& text_;
    size_t position_ = 0;
    size_t line_number_ = 0;
    KeyMode mode_ = KeyMode::none;
    bool wide_texts_ = false;  // a version 5 file: hex texts are UTF-16LE
    ParsedRegFile result_;
};

}  // namespace

std::string decode_reg_text(std::string_view bytes) {
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE)
        return utf16le_to_utf8(bytes.substr(2));
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") return std::string(bytes.substr(3));
    return std::string(bytes);
}

ParsedRegFile parse_reg_file(std::string_view bytes) {
    std::string text = decode_reg_text(bytes);
    return Parser(text).run();
}

namespace {

// Shared by both ways of applying; a parse result given up by its owner has its values moved.
template <typename Parsed>
void apply_all(Parsed& parsed, Key& root) {
    Key* current = nullptr;
    size_t current_index = static_cast<size_t>(-1);
    for (auto& change : parsed.changes) {
        const auto& path = parsed.keys[change.key];
        switch (change.kind) {
            case Change::Kind::create_key:
                current = &root.find_or_create(path);
                current_index = change.key;
                break;
            case Change::Kind::delete_key:
                root.remove(path);
                current = nullptr;
                current_index = static_cast<size_t>(-1);
                break;
            case Change::Kind::set_value:
                if (change.key != current_index) current = &root.find_or_create(path);
                current_index = change.key;
                if constexpr (std::is_const_v<Parsed>)
                    current->set_value(change.value);
                else
                    current->set_value(std::move(change.value));
                break;
            case Change::Kind::delete_value:
                if (change.key != current_index) current = &root.find_or_create(path);
                current_index = change.key;
                current->remove_value(change.value.name);
                break;
        }
    }
}

}  // namespace

void apply_changes(const ParsedRegFile& parsed, Key& root) {
    apply_all(parsed, root);
}

void apply_changes(ParsedRegFile&& parsed, Key& root) {
    apply_all(parsed, root);
}

}  // namespace kv::registry
