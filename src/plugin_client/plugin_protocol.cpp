#include "plugin_client/plugin_protocol.h"

#include <sys/socket.h>

#include <cerrno>

namespace kv::plugin_client {

namespace {

constexpr char request_tag = 'Q';
constexpr char reply_tag = 'A';

void put_u32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

void put_u16(std::string& out, uint16_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8);
}

// Reads fields front to back; any read past the end marks the input incomplete.
class Reader {
  public:
    explicit Reader(std::span<const uint8_t> bytes) : bytes_(bytes) {}
    bool has(size_t n) const { return bytes_.size() - pos_ >= n; }
    uint8_t u8() { return bytes_[pos_++]; }
    uint32_t u32() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(bytes_[pos_++]) << (8 * i);
        return v;
    }
    uint16_t u16() {
        uint16_t v = static_cast<uint16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
        pos_ += 2;
        return v;
    }
    std::string text(size_t n) {
        std::string s(reinterpret_cast<const char*>(bytes_.data() + pos_), n);
        pos_ += n;
        return s;
    }
    size_t pos() const { return pos_; }

  private:
    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
};

template <typename T>
Parsed<T> state_only(ParseState s) {
    Parsed<T> p;
    p.state = s;
    return p;
}

}  // namespace

bool send_all(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

std::string encode_request(const PluginRequest& request) {
    std::string out;
    out += request_tag;
    out += static_cast<char>(request.call);
    put_u32(out, static_cast<uint32_t>(request.path.size()));
    out += request.path;
    put_u32(out, static_cast<uint32_t>(request.export_name.size()));
    out += request.export_name;
    return out;
}

std::string encode_reply(const PluginReply& reply) {
    const std::string text = reply.text.substr(0, max_plugin_text);
    std::string out;
    out += reply_tag;
    out += static_cast<char>(reply.status);
    put_u32(out, static_cast<uint32_t>(reply.value));
    put_u16(out, static_cast<uint16_t>(text.size()));
    out += text;
    return out;
}

Parsed<PluginReply> parse_reply(std::span<const uint8_t> bytes) {
    Reader r(bytes);
    if (!r.has(1)) return state_only<PluginReply>(ParseState::incomplete);
    if (r.u8() != reply_tag) return state_only<PluginReply>(ParseState::malformed);
    if (!r.has(1)) return state_only<PluginReply>(ParseState::incomplete);
    const uint8_t status = r.u8();
    if (status > static_cast<uint8_t>(PluginStatus::null_text))
        return state_only<PluginReply>(ParseState::malformed);
    if (!r.has(6)) return state_only<PluginReply>(ParseState::incomplete);
    const auto value = static_cast<int32_t>(r.u32());
    const uint16_t length = r.u16();
    if (length > max_plugin_text) return state_only<PluginReply>(ParseState::malformed);
    // Only a text export that ran brings a text back.
    if (length > 0 && status != static_cast<uint8_t>(PluginStatus::done))
        return state_only<PluginReply>(ParseState::malformed);
    if (!r.has(length)) return state_only<PluginReply>(ParseState::incomplete);
    Parsed<PluginReply> p;
    p.message.status = static_cast<PluginStatus>(status);
    p.message.value = value;
    p.message.text = r.text(length);
    p.state = ParseState::complete;
    p.used = r.pos();
    return p;
}

Parsed<PluginRequest> parse_request(std::span<const uint8_t> bytes) {
    Reader r(bytes);
    if (!r.has(2)) return state_only<PluginRequest>(ParseState::incomplete);
    if (r.u8() != request_tag) return state_only<PluginRequest>(ParseState::malformed);
    const uint8_t call = r.u8();
    if (call < static_cast<uint8_t>(PluginCall::number) || call > static_cast<uint8_t>(PluginCall::effect))
        return state_only<PluginRequest>(ParseState::malformed);
    if (!r.has(4)) return state_only<PluginRequest>(ParseState::incomplete);
    const uint32_t path_length = r.u32();
    if (path_length == 0 || path_length > max_plugin_path)
        return state_only<PluginRequest>(ParseState::malformed);
    if (!r.has(path_length)) return state_only<PluginRequest>(ParseState::incomplete);
    std::string path = r.text(path_length);
    if (!r.has(4)) return state_only<PluginRequest>(ParseState::incomplete);
    const uint32_t export_length = r.u32();
    if (export_length == 0 || export_length > max_plugin_export)
        return state_only<PluginRequest>(ParseState::malformed);
    if (!r.has(export_length)) return state_only<PluginRequest>(ParseState::incomplete);
    Parsed<PluginRequest> p;
    p.message.call = static_cast<PluginCall>(call);
    p.message.path = std::move(path);
    p.message.export_name = r.text(export_length);
    // A NUL inside a name would make the library see a different name than the one asked for.
    if (p.message.path.find('\0') != std::string::npos ||
        p.message.export_name.find('\0') != std::string::npos)
        return state_only<PluginRequest>(ParseState::malformed);
    p.state = ParseState::complete;
    p.used = r.pos();
    return p;
}

}  // namespace kv::plugin_client
