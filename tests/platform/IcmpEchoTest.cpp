// ICMP echo client: address parsing, packet building and matching, and live echoes on the
// loopback of this machine or of network namespaces these tests make themselves.
#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "platform/IcmpEcho.h"
#include "platform/TimeSource.h"
#include "tests/support/EchoTestSupport.h"

using echo_test::ScopedNetNamespace;

namespace {

uint32_t Addr(const char* dotted) {
  in_addr a{};
  inet_pton(AF_INET, dotted, &a);
  return a.s_addr;
}

std::string Bytes(std::initializer_list<int> b) {
  std::string s;
  for (int v : b) s += static_cast<char>(v);
  return s;
}

// An IPv4 header of IHL words (options zero-filled) carrying ICMP, in front of the message.
std::string WithIpHeader(const std::string& icmp, uint32_t src, int ihlWords = 5, int proto = 1) {
  std::string h(static_cast<size_t>(ihlWords) * 4, '\0');
  h[0] = static_cast<char>(0x40 | ihlWords);
  h[8] = 64;
  h[9] = static_cast<char>(proto);
  std::memcpy(&h[12], &src, 4);
  return h + icmp;
}

// ICMP message of the given type with identifier and sequence, then data.
std::string Icmp(int type, int code, uint16_t id, uint16_t seq, const std::string& data) {
  std::string p = Bytes({type, code, 0, 0, id >> 8, id & 0xFF, seq >> 8, seq & 0xFF}) + data;
  const uint16_t sum = Icmp_Checksum(p);
  p[2] = static_cast<char>(sum >> 8);
  p[3] = static_cast<char>(sum & 0xFF);
  return p;
}

int OpenFileDescriptors() {
  int n = 0;
  for (const auto& e : std::filesystem::directory_iterator("/proc/self/fd")) n += e.is_symlink() ? 1 : 0;
  return n;
}

struct Reports {
  std::vector<TReplyStatus> list;
  void Bind(TIcmpEchoClient& c) {
    c.OnReply = [this](TComponent*, const TReplyStatus& r) { list.push_back(r); };
  }
};

}  // namespace

TEST(IcmpEchoAddress, OnlyStrictDottedIPv4IsAccepted) {
  struct Case {
    const char16_t* text;
    const char* expected;  // nullptr: refused
  } cases[] = {
      {u"127.0.0.1", "127.0.0.1"},
      {u"0.0.0.0", "0.0.0.0"},
      {u"255.255.255.255", "255.255.255.255"},
      {u"192.168.002.010", "192.168.2.10"},  // leading zeros are decimal, never octal
      {u"abc", nullptr},
      {u"", nullptr},
      {u"localhost", nullptr},
      {u"1.2.3", nullptr},
      {u"1.2.3.4.5", nullptr},
      {u"1.2.3.4.", nullptr},
      {u"1..3.4", nullptr},
      {u"256.1.1.1", nullptr},
      {u"1.2.3.1000", nullptr},
      {u" 1.2.3.4", nullptr},
      {u"1.2.3.4 ", nullptr},
      {u"1. 2.3.4", nullptr},
      {u"+1.2.3.4", nullptr},
      {u"0x7f.0.0.1", nullptr},
      {u"2130706433", nullptr},
      {u"\uFF11.2.3.4", nullptr},  // a full-width digit is no digit
  };
  for (const Case& c : cases) {
    uint32_t a = 0xDEADBEEF;
    const bool ok = Parse_Dotted_IPv4(c.text, a);
    EXPECT_EQ(ok, c.expected != nullptr) << StringToUtf8(c.text);
    if (ok && c.expected) {
      EXPECT_EQ(a, Addr(c.expected)) << StringToUtf8(c.text);
    }
  }
}

TEST(IcmpEchoPacket, ChecksumFollowsTheInternetSum) {
  // The worked example of the Internet checksum: the sum of the words is 0xDDF2.
  EXPECT_EQ(Icmp_Checksum(Bytes({0x00, 0x01, 0xF2, 0x03, 0xF4, 0xF5, 0xF6, 0xF7})), 0x220D);
  // An odd length pads the last byte with a zero on the right.
  EXPECT_EQ(Icmp_Checksum(Bytes({0x01})), static_cast<uint16_t>(~0x0100 & 0xFFFF));
}

TEST(IcmpEchoPacket, RequestCarriesIdentifierSequenceAndData) {
  const std::string data = std::string("10.0.0.7") + std::string(1016, '\0');
  const std::string p = Build_Echo_Request(0x1234, 0xABCD, data);
  ASSERT_EQ(p.size(), 8u + 1024u);
  EXPECT_EQ(p.substr(0, 2), Bytes({8, 0}));
  EXPECT_EQ(p.substr(4, 4), Bytes({0x12, 0x34, 0xAB, 0xCD}));
  EXPECT_EQ(p.substr(8), data);
  EXPECT_EQ(Icmp_Checksum(p), 0) << "a packet with its checksum in place sums to zero";
}

TEST(IcmpEchoPacket, OnlyOurEchoReplyFromTheTargetMatches) {
  const uint32_t target = Addr("10.1.2.3");
  const uint32_t other = Addr("10.1.2.4");
  const std::string data(1024, 'x');
  const std::string reply = Icmp(0, 0, 0x4321, 7, data);
  // An unreachable quotes our request (IP header and the first 8 bytes) after its own header.
  const std::string quoted = WithIpHeader(Icmp(8, 0, 0x4321, 7, ""), Addr("10.0.0.1"));
  struct Case {
    const char* what;
    std::string packet;
    bool ipHeader;
    uint32_t from;
    int expected;
  } cases[] = {
      {"datagram reply", reply, false, target, 1024},
      {"raw reply", WithIpHeader(reply, target), true, target, 1024},
      {"raw reply, header with options", WithIpHeader(reply, target, 6), true, target, 1024},
      {"reply without data", Icmp(0, 0, 0x4321, 7, ""), false, target, 0},
      {"reply from another host", reply, false, other, -1},
      {"other identifier", Icmp(0, 0, 0x4322, 7, data), false, target, -1},
      {"earlier sequence", Icmp(0, 0, 0x4321, 6, data), false, target, -1},
      {"our own request seen on the loopback", Icmp(8, 0, 0x4321, 7, data), false, target, -1},
      {"host unreachable", Icmp(3, 1, 0, 0, quoted), false, target, -1},
      {"raw host unreachable", WithIpHeader(Icmp(3, 1, 0, 0, quoted), target), true, target, -1},
      {"time exceeded", Icmp(11, 0, 0, 0, quoted), false, target, -1},
      {"echo reply with a code", Icmp(0, 1, 0x4321, 7, data), false, target, -1},
      {"truncated", reply.substr(0, 7), false, target, -1},
      {"raw, not ICMP", WithIpHeader(reply, target, 5, 17), true, target, -1},
      {"raw, too short for its header", WithIpHeader(reply, target).substr(0, 19), true, target, -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Match_Echo_Reply(c.packet, c.ipHeader, c.from, target, 0x4321, 7), c.expected) << c.what;
}

TEST(IcmpEchoClient, ANameIsRefusedBeforeAnySocketIsOpened) {
  TIcmpEchoClient client(nullptr);
  Reports reports;
  reports.Bind(client);
  client.SetHost(u"abc");
  EXPECT_THROW(client.Send(u"abc"), EIcmpError);
  EXPECT_EQ(client.EchoesSent(), 0);
  EXPECT_EQ(client.SocketKind(), iskNone);
  EXPECT_FALSE(client.Pending());
  client.Poll();
  EXPECT_TRUE(reports.list.empty());
}

TEST(IcmpEchoClient, PendingEchoTimesOutOnTheTickClock) {
  // A target in a namespace of our own whose loopback ignores echo: nothing ever answers, and
  // only the (virtual) tick clock decides when the echo ends.
  ScopedNetNamespace ns;
  std::string why;
  if (!ns.Enter(why)) GTEST_SKIP() << why;
  ASSERT_TRUE(ScopedNetNamespace::Sysctl("/proc/sys/net/ipv4/icmp_echo_ignore_all", "1"));
  VirtualClock clock;
  clock.Install();
  TIcmpEchoClient client(nullptr);
  client.SetReceiveTimeout(400);
  Reports reports;
  reports.Bind(client);
  client.SetHost(u"127.0.0.1");
  client.Send(u"127.0.0.1");
  clock.Advance(399);
  client.Poll();
  EXPECT_TRUE(reports.list.empty());
  EXPECT_TRUE(client.Pending());
  clock.Advance(1);
  client.Poll();
  ASSERT_EQ(reports.list.size(), 1u);
  EXPECT_EQ(reports.list[0].ReplyStatusType, rsTimeOut);
  EXPECT_EQ(reports.list[0].BytesReceived, 0);
  EXPECT_FALSE(client.Pending());
}

TEST(IcmpEchoClient, LoopbackAnswers) {
  char ignore = '0';
  const int fd = ::open("/proc/sys/net/ipv4/icmp_echo_ignore_all", O_RDONLY | O_CLOEXEC);
  if (fd >= 0) {
    if (::read(fd, &ignore, 1) != 1) ignore = '0';
    ::close(fd);
  }
  if (ignore != '0') GTEST_SKIP() << "the loopback of this machine ignores echo";
  TIcmpEchoClient client(nullptr);
  client.SetReceiveTimeout(2000);
  Reports reports;
  reports.Bind(client);
  client.SetHost(u"127.0.0.1");
  try {
    client.Ping(u"127.0.0.1");
  } catch (const EIcmpError& e) {
    GTEST_SKIP() << "no ICMP socket for this user: " << StringToUtf8(e.Message());
  }
  ASSERT_EQ(reports.list.size(), 1u);
  EXPECT_EQ(reports.list[0].ReplyStatusType, rsEcho);
  EXPECT_EQ(reports.list[0].BytesReceived, 1024);
  EXPECT_EQ(StringToUtf8(reports.list[0].FromIpAddress), "127.0.0.1");
  EXPECT_EQ(reports.list[0].SequenceId, client.Sequence());
  // A second echo is numbered on and answered on its own.
  client.Ping(u"127.0.0.1");
  ASSERT_EQ(reports.list.size(), 2u);
  EXPECT_EQ(reports.list[1].ReplyStatusType, rsEcho);
  EXPECT_EQ(reports.list[1].SequenceId, static_cast<uint16_t>(reports.list[0].SequenceId + 1));
}

TEST(IcmpEchoClient, DatagramSocketWhenTheGroupMayUseIt) {
  ScopedNetNamespace ns;
  std::string why;
  if (!ns.Enter(why)) GTEST_SKIP() << why;
  // The unprivileged ICMP setting is per namespace: allow every group here only.
  ASSERT_TRUE(ScopedNetNamespace::Sysctl("/proc/sys/net/ipv4/ping_group_range", "0 2147483647"));
  TIcmpEchoClient client(nullptr);
  client.SetReceiveTimeout(2000);
  Reports reports;
  reports.Bind(client);
  client.SetHost(u"127.0.0.1");
  client.Ping(u"127.0.0.1");
  EXPECT_EQ(client.SocketKind(), iskDatagram);
  ASSERT_EQ(reports.list.size(), 1u);
  EXPECT_EQ(reports.list[0].ReplyStatusType, rsEcho);
  EXPECT_EQ(reports.list[0].BytesReceived, 1024);
}

TEST(IcmpEchoClient, RawSocketWhenDatagramIsRefused) {
  ScopedNetNamespace ns;
  std::string why;
  if (!ns.Enter(why)) GTEST_SKIP() << why;
  ASSERT_TRUE(ScopedNetNamespace::Sysctl("/proc/sys/net/ipv4/ping_group_range", "1 0"));
  TIcmpEchoClient client(nullptr);
  client.SetReceiveTimeout(2000);
  Reports reports;
  reports.Bind(client);
  client.SetHost(u"127.0.0.1");
  const int descriptors = OpenFileDescriptors();
  client.Ping(u"127.0.0.1");
  EXPECT_EQ(client.SocketKind(), iskRaw);
  // The raw socket, which sees every ICMP message of the host, is closed once the echo ends.
  EXPECT_EQ(OpenFileDescriptors(), descriptors);
  ASSERT_EQ(reports.list.size(), 1u);
  EXPECT_EQ(reports.list[0].ReplyStatusType, rsEcho);
}

TEST(IcmpEchoClient, ForgedMessagesOnASilentLoopbackNeverAnswer) {
  // Inside our own namespace: the loopback ignores echo, and a second raw socket puts an
  // unreachable quoting our request and replies with a wrong identifier or sequence on the
  // wire. None may end the echo; a reply that does match does.
  ScopedNetNamespace ns;
  std::string why;
  if (!ns.Enter(why)) GTEST_SKIP() << why;
  ASSERT_TRUE(ScopedNetNamespace::Sysctl("/proc/sys/net/ipv4/icmp_echo_ignore_all", "1"));
  ASSERT_TRUE(ScopedNetNamespace::Sysctl("/proc/sys/net/ipv4/ping_group_range", "1 0"));
  const int forger = ::socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
  ASSERT_GE(forger, 0);
  sockaddr_in lo{};
  lo.sin_family = AF_INET;
  lo.sin_addr.s_addr = Addr("127.0.0.1");
  auto forge = [&](const std::string& icmp) {
    ASSERT_EQ(::sendto(forger, icmp.data(), icmp.size(), 0, reinterpret_cast<sockaddr*>(&lo), sizeof lo),
              static_cast<ssize_t>(icmp.size()));
  };

  TIcmpEchoClient client(nullptr);
  client.SetReceiveTimeout(60000);  // only a matching reply can end it within this test
  Reports reports;
  reports.Bind(client);
  client.SetHost(u"127.0.0.1");
  client.Send(u"127.0.0.1");
  ASSERT_EQ(client.SocketKind(), iskRaw);
  const uint16_t id = client.Identifier(), seq = client.Sequence();
  const std::string data(1024, 'z');
  forge(Icmp(3, 1, 0, 0, WithIpHeader(Icmp(8, 0, id, seq, ""), Addr("127.0.0.1"))));
  forge(Icmp(0, 0, static_cast<uint16_t>(id + 1), seq, data));
  forge(Icmp(0, 0, id, static_cast<uint16_t>(seq - 1), data));
  for (int i = 0; i < 20; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    client.Poll();
  }
  EXPECT_TRUE(reports.list.empty());
  EXPECT_TRUE(client.Pending());

  forge(Icmp(0, 0, id, seq, data));
  for (int i = 0; i < 200 && client.Pending(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    client.Poll();
  }
  ::close(forger);
  ASSERT_EQ(reports.list.size(), 1u);
  EXPECT_EQ(reports.list[0].ReplyStatusType, rsEcho);
  EXPECT_EQ(reports.list[0].BytesReceived, 1024);
}
