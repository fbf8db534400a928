#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "plugin_client/plugin_protocol.h"

using namespace kv;

namespace {

std::vector<uint8_t> bytes(const std::string& s) {
    return {s.begin(), s.end()};
}

kv::plugin_client::Parsed<kv::plugin_client::PluginReply> parse(const std::string& s) {
    return kv::plugin_client::parse_reply(bytes(s));
}

}  // namespace

TEST(PluginProtocol, RepliesSurviveTheRoundTripAndArriveInPieces) {
    kv::plugin_client::PluginReply r{kv::plugin_client::PluginStatus::done, -5, "Alpha GPU"};
    const std::string wire = kv::plugin_client::encode_reply(r);
    for (size_t cut = 0; cut < wire.size(); ++cut)
        EXPECT_EQ(parse(wire.substr(0, cut)).state, kv::plugin_client::ParseState::incomplete) << cut;
    const auto p = parse(wire + "A");  // the start of a next reply is not taken
    ASSERT_EQ(p.state, kv::plugin_client::ParseState::complete);
    EXPECT_EQ(p.used, wire.size());
    EXPECT_EQ(p.message.status, kv::plugin_client::PluginStatus::done);
    EXPECT_EQ(p.message.value, -5);
    EXPECT_EQ(p.message.text, "Alpha GPU");
}

TEST(PluginProtocol, RefusesRepliesTheHelperCannotHaveSent) {
    const std::string good = kv::plugin_client::encode_reply({kv::plugin_client::PluginStatus::done, 0, "x"});
    std::string bad_tag = good;
    bad_tag[0] = 'Q';
    EXPECT_EQ(parse(bad_tag).state, kv::plugin_client::ParseState::malformed);
    std::string bad_status = good;
    bad_status[1] = 9;
    EXPECT_EQ(parse(bad_status).state, kv::plugin_client::ParseState::malformed);
    // A text longer than a name may be.
    std::string too_long = std::string("A") + std::string(5, '\0') + std::string("\x00\x01", 2);
    EXPECT_EQ(parse(too_long).state, kv::plugin_client::ParseState::malformed);
    // Text with a status that carries none.
    std::string text_without_export =
        kv::plugin_client::encode_reply({kv::plugin_client::PluginStatus::done, 0, "x"});
    text_without_export[1] = static_cast<char>(kv::plugin_client::PluginStatus::no_export);
    EXPECT_EQ(parse(text_without_export).state, kv::plugin_client::ParseState::malformed);
    // Printed noise on the helper's standard output never reaches this channel, but if it did:
    EXPECT_EQ(parse("hello\n").state, kv::plugin_client::ParseState::malformed);
}

TEST(PluginProtocol, EncodingCutsTextToTheBuffer) {
    const auto p = parse(
        kv::plugin_client::encode_reply({kv::plugin_client::PluginStatus::done, 0, std::string(300, 'n')}));
    ASSERT_EQ(p.state, kv::plugin_client::ParseState::complete);
    EXPECT_EQ(p.message.text.size(), kv::plugin_client::max_plugin_text);
}

TEST(PluginProtocol, RequestsRoundTripAndEmptyOrNulNamesAreRefused) {
    const std::string wire = kv::plugin_client::encode_request(
        {kv::plugin_client::PluginCall::text, "/p/gpu.so", "PSEgetLibName"});
    const auto p = kv::plugin_client::parse_request(bytes(wire));
    ASSERT_EQ(p.state, kv::plugin_client::ParseState::complete);
    EXPECT_EQ(p.message.call, kv::plugin_client::PluginCall::text);
    EXPECT_EQ(p.message.path, "/p/gpu.so");
    EXPECT_EQ(p.message.export_name, "PSEgetLibName");
    EXPECT_EQ(kv::plugin_client::parse_request(
                  bytes(kv::plugin_client::encode_request({kv::plugin_client::PluginCall::number, "", "x"})))
                  .state,
              kv::plugin_client::ParseState::malformed);
    EXPECT_EQ(kv::plugin_client::parse_request(
                  bytes(kv::plugin_client::encode_request({kv::plugin_client::PluginCall::number, "/a", ""})))
                  .state,
              kv::plugin_client::ParseState::malformed);
    EXPECT_EQ(kv::plugin_client::parse_request(
                  bytes(kv::plugin_client::encode_request(
                      {kv::plugin_client::PluginCall::number, std::string("/a\0b", 4), "x"})))
                  .state,
              kv::plugin_client::ParseState::malformed);
    std::string bad_call = wire;
    bad_call[1] = 7;
    EXPECT_EQ(kv::plugin_client::parse_request(bytes(bad_call)).state,
              kv::plugin_client::ParseState::malformed);
}

// Both ends send through the same helper: everything arrives, and a closed peer is a plain false
// rather than a broken-pipe signal ending the sender.
TEST(PluginProtocol, SendAllDeliversEveryByteAndSurvivesAClosedPeer) {
    int fds[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, fds), 0);
    const std::string message =
        kv::plugin_client::encode_reply({kv::plugin_client::PluginStatus::done, 7, std::string(200, 'x')});
    ASSERT_TRUE(kv::plugin_client::send_all(fds[0], message));
    std::string received(message.size(), '\0');
    size_t got = 0;
    while (got < received.size()) {
        const ssize_t n = ::recv(fds[1], received.data() + got, received.size() - got, 0);
        ASSERT_GT(n, 0);
        got += static_cast<size_t>(n);
    }
    EXPECT_EQ(received, message);
    ::close(fds[1]);
    EXPECT_FALSE(kv::plugin_client::send_all(fds[0], message));
    ::close(fds[0]);
}
