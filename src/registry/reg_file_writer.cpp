#include "registry/reg_file_writer.h"

#include <cstdio>

#include "platform/runtime.h"
#include "registry/key_path.h"

namespace kv::registry {

namespace {

constexpr const char* line_end = "\r\n";
// Hexadecimal lists wrap before this column, as the registry editor wraps them.
constexpr size_t wrap_column = 77;

void append_quoted(std::string& out, const std::string& text) {
    out += '"';
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    out += '"';
}

void append_hex_list(std::string& out, const std::string& data, size_t line_start) {
    static const char digits[] = "0123456789abcdef";
    for (size_t i = 0; i < data.size(); ++i) {
        auto byte = static_cast<unsigned char>(data[i]);
        out += digits[byte >> 4];
        out += digits[byte & 0xF];
        if (i + 1 == data.size()) break;
        out += ',';
        if (out.size() - line_start >= wrap_column) {
            out += '\\';
            out += line_end;
            line_start = out.size();
            out += "  ";
        }
    }
}

// A text that a quoted line cannot hold (a line break or a zero byte) is written as hex(1) bytes
// with its terminating zero, which reads back as the same text.
bool fits_quoted(const std::string& text) {
    return text.find_first_of(std::string("\r\n\0", 3)) == std::string::npos;
}

void append_value_line(std::string& out, const Value& value) {
    const size_t line_start = out.size();
    if (value.name.empty())
        out += '@';
    else
        append_quoted(out, value.name);
    out += '=';
    switch (value.form) {
        case ValueForm::text:
            if (fits_quoted(value.data)) {
                append_quoted(out, value.data);
            } else {
                out += "hex(1):";
                append_hex_list(out, value.data + std::string(1, '\0'), line_start);
            }
            return;
        case ValueForm::dword: {
            uint32_t number = 0;
            for (size_t i = 0; i < 4 && i < value.data.size(); ++i)
                number |= static_cast<uint32_t>(static_cast<unsigned char>(value.data[i])) << (8 * i);
            char text[24];
            std::snprintf(text, sizeof text, "dword:%08x", number);
            out += text;
            return;
        }
        case ValueForm::hex:
            if (value.type == reg_binary) {
                out += "hex:";
            } else {
                char text[24];
                std::snprintf(text, sizeof text, "hex(%x):", value.type);
                out += text;
            }
            append_hex_list(out, value.data, line_start);
            return;
    }
}

// The text may grow by `more` bytes: checked before each line is added, so it never grows much
// past the limit (a value line may take up to three bytes for each of its data bytes).
void make_room(const std::string& out, size_t more, size_t max_size) {
    if (more > max_size || out.size() > max_size - more)
        throw platform::Failure("it would be larger than " + std::to_string(max_size / (1024 * 1024)) +
                                " MB");
}

void append_key(std::string& out, const Key& key, std::vector<std::string>& path, size_t max_size) {
    const std::string key_line = "[" + key_path_text(path) + "]" + line_end;
    make_room(out, key_line.size(), max_size);
    out += key_line;
    for (const Value& value : key.values()) {
        make_room(out, value.name.size() + value.data.size() + 2, max_size);
        append_value_line(out, value);
        out += line_end;
        make_room(out, 0, max_size);
    }
    make_room(out, 2, max_size);
    out += line_end;
    for (const auto& entry : key.children()) {
        path.push_back(entry.second->name());
        append_key(out, *entry.second, path, max_size);
        path.pop_back();
    }
}

}  // namespace

std::string value_line(const Value& value) {
    std::string out;
    append_value_line(out, value);
    return out;
}

std::string write_reg_file(const Key& key, const std::vector<std::string>& path, size_t max_size) {
    std::string out = "REGEDIT4";
    out += line_end;
    out += line_end;
    std::vector<std::string> walk = path;
    append_key(out, key, walk, max_size);
    return out;
}

}  // namespace kv::registry
