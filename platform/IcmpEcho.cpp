#include "platform/IcmpEcho.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <string>

#include "platform/TimeSource.h"

namespace {

constexpr uint8_t kEchoReply = 0;
constexpr uint8_t kEchoRequest = 8;

uint16_t Get16(std::string_view b, size_t at) {
  return static_cast<uint16_t>((static_cast<uint8_t>(b[at]) << 8) | static_cast<uint8_t>(b[at + 1]));
}

String IcmpErrnoText(const std::string& what, int err) {
  return Utf8ToString(what + ": " + std::strerror(err));
}

String Dotted(uint32_t addrNet) {
  char buf[INET_ADDRSTRLEN] = {};
  in_addr a{};
  a.s_addr = addrNet;
  inet_ntop(AF_INET, &a, buf, sizeof buf);
  return Utf8ToString(buf);
}

// Identifiers of raw-socket clients: one per client, so two clients of one process never take
// each other's replies.
std::atomic<uint16_t> g_nextRawId{0};

}  // namespace

bool Parse_Dotted_IPv4(const String& Text, uint32_t& Addr) {
  uint32_t host = 0;
  int parts = 0;
  size_t i = 0;
  while (true) {
    int digits = 0;
    uint32_t v = 0;
    while (i < Text.size() && Text[i] >= u'0' && Text[i] <= u'9') {
      if (++digits > 3) return false;
      v = v * 10 + (Text[i] - u'0');
      ++i;
    }
    if (digits == 0 || v > 255) return false;
    host = (host << 8) | v;
    ++parts;
    if (parts == 4) break;
    if (i >= Text.size() || Text[i] != u'.') return false;
    ++i;
  }
  if (i != Text.size()) return false;
  Addr = htonl(host);
  return true;
}

uint16_t Icmp_Checksum(std::string_view Bytes) {
  uint32_t sum = 0;
  size_t i = 0;
  for (; i + 1 < Bytes.size(); i += 2) sum += Get16(Bytes, i);
  if (i < Bytes.size()) sum += static_cast<uint32_t>(static_cast<uint8_t>(Bytes[i])) << 8;
  while (sum >> 16) sum = (sum & 0xFFFF) + (sum >> 16);
  return static_cast<uint16_t>(~sum & 0xFFFF);
}

std::string Build_Echo_Request(uint16_t Id, uint16_t Seq, std::string_view Data) {
  std::string p(8, '\0');
  p[0] = static_cast<char>(kEchoRequest);
  p[4] = static_cast<char>(Id >> 8);
  p[5] = static_cast<char>(Id & 0xFF);
  p[6] = static_cast<char>(Seq >> 8);
  p[7] = static_cast<char>(Seq & 0xFF);
  p.append(Data);
  const uint16_t sum = Icmp_Checksum(p);
  p[2] = static_cast<char>(sum >> 8);
  p[3] = static_cast<char>(sum & 0xFF);
  return p;
}

int Match_Echo_Reply(std::string_view Packet, bool HasIpHeader, uint32_t From, uint32_t Target,
                     uint16_t Id, uint16_t Seq) {
  if (From != Target) return -1;
  std::string_view icmp = Packet;
  if (HasIpHeader) {
    if (Packet.size() < 20) return -1;
    const uint8_t vihl = static_cast<uint8_t>(Packet[0]);
    const size_t ihl = static_cast<size_t>(vihl & 0x0F) * 4;
    if ((vihl >> 4) != 4 || ihl < 20 || Packet.size() < ihl) return -1;
    if (static_cast<uint8_t>(Packet[9]) != IPPROTO_ICMP) return -1;
    icmp = Packet.substr(ihl);
  }
  if (icmp.size() < 8) return -1;
  if (static_cast<uint8_t>(icmp[0]) != kEchoReply || icmp[1] != 0) return -1;
  if (Get16(icmp, 4) != Id || Get16(icmp, 6) != Seq) return -1;
  return static_cast<int>(icmp.size() - 8);
}

TIcmpEchoClient::TIcmpEchoClient(TComponent* AOwner) : TComponent(AOwner) {}

TIcmpEchoClient::~TIcmpEchoClient() { CloseSocket(); }

void TIcmpEchoClient::CloseSocket() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

void TIcmpEchoClient::OpenSocket() {
  if (fd_ >= 0) return;
  int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, IPPROTO_ICMP);
  if (fd >= 0) {
    // The kernel picks the identifier of a datagram ICMP socket; bind asks for one now.
    sockaddr_in local{};
    local.sin_family = AF_INET;
    socklen_t len = sizeof local;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &len) == 0) {
      fd_ = fd;
      kind_ = iskDatagram;
      id_ = ntohs(local.sin_port);
      return;
    }
    ::close(fd);
  }
  const int dgramErr = errno;
  fd = ::socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC | SOCK_NONBLOCK, IPPROTO_ICMP);
  if (fd < 0) {
    const int rawErr = errno;
    throw EIcmpError(IcmpErrnoText("ICMP datagram socket", dgramErr) + u"; " + IcmpErrnoText("ICMP raw socket", rawErr));
  }
  fd_ = fd;
  kind_ = iskRaw;
  id_ = static_cast<uint16_t>((static_cast<uint32_t>(::getpid()) * 31u + g_nextRawId.fetch_add(1)) & 0xFFFF);
}

void TIcmpEchoClient::Begin_Echo() {
  ++seq_;
  ++echoesSent_;
  pending_ = true;
  sentAt_ = GetTickCount();
}

void TIcmpEchoClient::Report(const TReplyStatus& Status) {
  pending_ = false;
  // No socket stays open between echoes: a raw one would queue every ICMP message of the host.
  CloseSocket();
  if (OnReply) OnReply(this, Status);
}

void TIcmpEchoClient::Send(const String& AData) {
  pending_ = false;
  CloseSocket();
  uint32_t target = 0;
  if (!Parse_Dotted_IPv4(host_, target)) throw EIcmpError(u"Not an IPv4 address: \"" + host_ + u"\"");
  OpenSocket();
  target_ = target;
  std::string data(static_cast<size_t>(packetSize_), '\0');
  for (size_t i = 0; i < AData.size() && i < data.size(); ++i) data[i] = static_cast<char>(AData[i] & 0xFF);
  const uint16_t nextSeq = static_cast<uint16_t>(seq_ + 1);
  const std::string packet = Build_Echo_Request(id_, nextSeq, data);
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_addr.s_addr = target;
  const ssize_t n = ::sendto(fd_, packet.data(), packet.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
  if (n != static_cast<ssize_t>(packet.size())) {
    const int err = n < 0 ? errno : EMSGSIZE;
    CloseSocket();
    throw EIcmpError(IcmpErrnoText("ICMP echo to " + StringToUtf8(host_), err));
  }
  Begin_Echo();
}

void TIcmpEchoClient::Poll() {
  if (!pending_) return;
  if (fd_ >= 0) {
    std::string buf(65536, '\0');
    for (;;) {
      sockaddr_in from{};
      socklen_t len = sizeof from;
      const ssize_t n = ::recvfrom(fd_, buf.data(), buf.size(), MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&from), &len);
      if (n < 0) {
        if (errno == EINTR) continue;
        break;  // nothing more now (or an error queued on the socket: not an answer)
      }
      const int bytes = Match_Echo_Reply(std::string_view(buf.data(), static_cast<size_t>(n)), kind_ == iskRaw,
                                         from.sin_addr.s_addr, target_, id_, seq_);
      if (bytes < 0) continue;
      TReplyStatus s;
      s.ReplyStatusType = rsEcho;
      s.BytesReceived = bytes;
      s.FromIpAddress = Dotted(from.sin_addr.s_addr);
      s.SequenceId = seq_;
      s.MsRoundTripTime = TicksElapsed(sentAt_, GetTickCount());
      Report(s);
      return;
    }
  }
  if (TicksElapsed(sentAt_, GetTickCount()) >= receiveTimeout_) Cancel();
}

void TIcmpEchoClient::Cancel() {
  if (!pending_) return;
  TReplyStatus s;
  s.ReplyStatusType = rsTimeOut;
  s.SequenceId = seq_;
  s.MsRoundTripTime = TicksElapsed(sentAt_, GetTickCount());
  Report(s);
}

void TIcmpEchoClient::Ping(const String& AData) {
  Send(AData);
  while (pending_) {
    Poll();
    if (!pending_) break;
    pollfd p{fd_, POLLIN, 0};
    ::poll(&p, fd_ >= 0 ? 1 : 0, 10);
  }
}
