#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "plugin_client/plugin_protocol.h"

using namespace kv::plugin_client;

using namespace kv;

namespace {

std::vector<uint8_t> bytes(const std::string& s) {
    return {s.begin(), s.end()};
}

Parsed<PluginReply> parse(const std::string& s) {
    return parse_reply(bytes(s));
}

}  // namespace

TEST(PluginProtocol, RepliesSurviveTheRoundTripAndArriveInPieces) {
    PluginReply r{PluginStatus::done, -5, "Alpha GPU"};
    const std::string wire = encode_reply(r);
    for (size_t cut = 0; cut < wire.size(); ++cut)
        EXPECT_EQ(parse(wire.substr(0, cut)).state, ParseState::incomplete) << cut;
    const auto p = parse(wire + "A");  // the start of a next reply is not taken
    ASSERT_EQ(p.state, ParseState::complete);
    EXPECT_EQ(p.used, wire.size());
    EXPECT_EQ(p.message.status, PluginStatus::done);
    EXPECT_EQ(p.message.value, -5);
    EXPECT_EQ(p.message.text, "Alpha GPU");
}

TEST(PluginProtocol, RefusesRepliesTheHelperCannotHaveSent) {
    const std::string good = encode_reply({PluginStatus::done, 0, "x"});
    std::string bad_tag = good;
    bad_tag[0] = 'Q';
    EXPECT_EQ(parse(bad_tag).state, ParseState::malformed);
    std::string bad_status = good;
    bad_status[1] = 9;
    EXPECT_EQ(parse(bad_status).state, ParseState::malformed);
    // A text longer than a name may be.
    std::string too_long = std::string("A") + std::string(5, '\0') + std::string("\x00\x01", 2);
    EXPECT_EQ(parse(too_long).state, ParseState::malformed);
    // Text with a status that carries none.
    std::string text_without_export = encode_reply({PluginStatus::done, 0, "x"});
    text_without_export[1] = static_cast<char>(PluginStatus::no_export);
    EXPECT_EQ(parse(text_without_export).state, ParseState::malformed);
    // Printed noise on the helper's standard output never reaches this channel, but if it did:
    EXPECT_EQ(parse("hello\n").state, ParseState::malformed);
}

TEST(PluginProtocol, EncodingCutsTextToTheBuffer) {
    const auto p = parse(encode_reply({PluginStatus::done, 0, std::string(300, 'n')}));
    ASSERT_EQ(p.state, ParseState::complete);
    EXPECT_EQ(p.message.text.size(), max_plugin_text);
}

TEST(PluginProtocol, RequestsRoundTripAndEmptyOrNulNamesAreRefused) {
    const std::string wire = encode_request({PluginCall::text, "/p/gpu.so", "PSEgetLibName"});
    const auto p = parse_request(bytes(wire));
    ASSERT_EQ(p.state, ParseState::complete);
    EXPECT_EQ(p.message.call, PluginCall::text);
    EXPECT_EQ(p.message.path, "/p/gpu.so");
    EXPECT_EQ(p.message.export_name, "PSEgetLibName");
    EXPECT_EQ(parse_request(bytes(encode_request({PluginCall::number, "", "x"}))).state,
              ParseState::malformed);
    EXPECT_EQ(parse_request(bytes(encode_request({PluginCall::number, "/a", ""}))).state,
              ParseState::malformed);
    EXPECT_EQ(parse_request(bytes(encode_request({PluginCall::number, std::string("/a\0b", 4), "x"}))).state,
              ParseState::malformed);
    std::string bad_call = wire;
    bad_call[1] = 7;
    EXPECT_EQ(parse_request(bytes(bad_call)).state, ParseState::malformed);
}

// Both ends send through the same helper: everything arrives, and a closed peer is a plain false
// rather than a broken-pipe signal ending the sender.
TEST(PluginProtocol, SendAllDeliversEveryByteAndSurvivesAClosedPeer) {
    int fds[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, fds), 0);
    const std::string message = encode_reply({PluginStatus::done, 7, std::string(200, 'x')});
    ASSERT_TRUE(send_all(fds[0], message));
    std::string received(message.size(), '\0');
    size_t got = 0;
    while (got < received.size()) {
        const ssize_t n = ::recv(fds[1], received.data() + got, received.size() - got, 0);
        ASSERT_GT(n, 0);
        got += static_cast<size_t>(n);
    }
    EXPECT_EQ(received, message);
    ::close(fds[1]);
    EXPECT_FALSE(send_all(fds[0], message));
    ::close(fds[0]);
}
