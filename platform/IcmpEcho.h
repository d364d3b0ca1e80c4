#pragma once
// ICMP echo client (IPv4). One echo at a time: Send puts the request on the wire and returns;
// Poll, called by the owner as often as it likes, reads what has arrived without blocking and
// reports the outcome once through OnReply: the echo reply, or a time-out when ReceiveTimeout
// has passed (measured on GetTickCount, so a test clock governs it). Ping is the blocking form.
//
// Each echo opens its own socket, closed when the echo is reported. The socket is an
// unprivileged datagram ICMP socket (net.ipv4.ping_group_range must cover the
// user's group); when that is refused, a raw ICMP socket (root or cap_net_raw). The host is a
// strict dotted IPv4 address; there is no name lookup.
//
// Only an echo reply from the target carrying our identifier and the sequence of the pending
// echo counts: an unreachable or any other ICMP message, and replies to earlier echoes, are
// ignored, so they can never pass for an answer.
#include <cstdint>
#include <functional>
#include <string_view>

#include "platform/Classes.h"
#include "platform/SysUtils.h"
#include "platform/UString.h"

class EIcmpError : public Exception {
 public:
  using Exception::Exception;
};

enum TReplyStatusTypes { rsEcho, rsError, rsTimeOut };

struct TReplyStatus {
  TReplyStatusTypes ReplyStatusType = rsTimeOut;
  int BytesReceived = 0;         // echo data bytes of the reply; 0 unless rsEcho
  String FromIpAddress;          // dotted address of the answering host; empty unless rsEcho
  uint16_t SequenceId = 0;       // sequence of the echo reported
  uint32_t MsRoundTripTime = 0;
};

using TOnReplyEvent = std::function<void(TComponent* ASender, const TReplyStatus& AReplyStatus)>;

enum TIcmpSocketKind { iskNone, iskDatagram, iskRaw };

class TIcmpEchoClient : public TComponent {
 public:
  explicit TIcmpEchoClient(TComponent* AOwner);
  ~TIcmpEchoClient() override;
  String ClassName() const override { return u"TIcmpEchoClient"; }

  const String& Host() const { return host_; }
  void SetHost(const String& h) { host_ = h; }
  uint32_t ReceiveTimeout() const { return receiveTimeout_; }  // ms
  void SetReceiveTimeout(uint32_t ms) { receiveTimeout_ = ms; }
  // Echo data bytes of every request: AData's characters (8-bit) first, zeros after.
  int PacketSize() const { return packetSize_; }
  void SetPacketSize(int n) { packetSize_ = n < 0 ? 0 : n; }

  // Sends one echo request to Host. Raises EIcmpError when Host is not a dotted IPv4
  // address (then nothing is sent), when no ICMP socket can be opened, or when the send fails.
  // An echo still pending is dropped without a report.
  virtual void Send(const String& AData);
  // Reports the pending echo when its reply has arrived or its time-out has passed.
  virtual void Poll();
  // Ends the pending echo now, reported as a time-out.
  virtual void Cancel();
  bool Pending() const { return pending_; }
  // Send, then wait (blocking) until the echo is reported.
  void Ping(const String& AData);

  // Kind of the socket of the last echo sent (iskNone before any).
  TIcmpSocketKind SocketKind() const { return kind_; }
  int EchoesSent() const { return echoesSent_; }
  uint16_t Identifier() const { return id_; }
  uint16_t Sequence() const { return seq_; }

  TOnReplyEvent OnReply;

 protected:
  // For clients that stand in for the network in tests: the bookkeeping of Send and the report.
  void Begin_Echo();
  void Report(const TReplyStatus& Status);

 private:
  void OpenSocket();
  void CloseSocket();
  String host_;
  uint32_t receiveTimeout_ = 5000;
  int packetSize_ = 1024;
  int fd_ = -1;
  TIcmpSocketKind kind_ = iskNone;
  uint16_t id_ = 0;
  uint16_t seq_ = 0;
  uint32_t target_ = 0;   // network byte order
  bool pending_ = false;
  uint32_t sentAt_ = 0;
  int echoesSent_ = 0;
};

// Strict dotted IPv4: four decimal parts of 1 to 3 digits, each 0..255, nothing else (no
// blanks, no name). On success Addr holds the address in network byte order.
bool Parse_Dotted_IPv4(const String& Text, uint32_t& Addr);

// The Internet checksum of the bytes (one's complement of the one's-complement sum).
uint16_t Icmp_Checksum(std::string_view Bytes);

// An echo request: type 8, code 0, the identifier and sequence, the checksum, then the data.
std::string Build_Echo_Request(uint16_t Id, uint16_t Seq, std::string_view Data);

// Checks one received packet (with its IPv4 header when HasIpHeader, as a raw socket gives it;
// the bare ICMP message otherwise) that came from From (network order). Returns the number of
// echo data bytes when it is an echo reply from Target with Id and Seq, else -1.
int Match_Echo_Reply(std::string_view Packet, bool HasIpHeader, uint32_t From, uint32_t Target,
                     uint16_t Id, uint16_t Seq);
