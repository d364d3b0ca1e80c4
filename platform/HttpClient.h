#pragma once
// HTTP GET for the version check (libcurl inside, loaded at the first request; without it every
// request fails with "HTTP client unavailable"): Get blocks; Perform runs a copied request on
// any thread and can be cancelled. Plain HTTP only, no cookies, no proxy (environment variables
// included), no redirects, no authentication. A request always ends: the connect and the whole
// transfer have time limits, so a silent server is a failure, never a request left hanging.
#include <atomic>
#include <cstdint>
#include <string>

#include "platform/Classes.h"
#include "platform/UString.h"

struct THttpReply {
  bool Ok = false;       // a 2xx status arrived with its body
  long Status = 0;       // 0 when no status line arrived
  std::string Body;      // raw bytes of the body (only when Ok)
  String Error;          // why it failed
};

// Everything one request needs, copied out of the client so that another thread can run it.
struct THttpRequest {
  String Url;
  String ProtocolVersion;
  String Accept;
  String UserAgent;
  uint32_t ConnectTimeoutMs = 0;
  uint32_t TotalTimeoutMs = 0;
  size_t MaxBodyBytes = 0;
};

class THTTPClient : public TComponent {
 public:
  explicit THTTPClient(TComponent* AOwner);
  String ClassName() const override { return u"THTTPClient"; }

  // "1.0" or "1.1".
  const String& ProtocolVersion() const { return protocolVersion_; }
  void SetProtocolVersion(const String& v) { protocolVersion_ = v; }
  const String& Accept() const { return accept_; }
  void SetAccept(const String& v) { accept_ = v; }
  const String& UserAgent() const { return userAgent_; }
  void SetUserAgent(const String& v) { userAgent_ = v; }
  uint32_t ConnectTimeoutMs() const { return connectTimeoutMs_; }
  void SetConnectTimeoutMs(uint32_t v) { connectTimeoutMs_ = v; }
  // Limit of the whole request, connect included.
  uint32_t TotalTimeoutMs() const { return totalTimeoutMs_; }
  void SetTotalTimeoutMs(uint32_t v) { totalTimeoutMs_ = v; }

  // A longer body fails the request instead of filling the memory.
  size_t MaxBodyBytes() const { return maxBodyBytes_; }
  void SetMaxBodyBytes(size_t v) { maxBodyBytes_ = v; }

  // GET of an "http://" URL. Statuses other than 2xx, transport errors and time-outs give
  // Ok false; nothing is raised.
  THttpReply Get(const String& Url);

  // The request Get would send, with this client's settings.
  THttpRequest Request(const String& Url) const;
  // Runs a request on any thread. Setting *Cancel (when given) ends it within a few tens of
  // milliseconds, as a failure.
  static THttpReply Perform(const THttpRequest& Request, const std::atomic<bool>* Cancel = nullptr);

 private:
  String protocolVersion_ = u"1.0";
  String accept_;
  String userAgent_;
  uint32_t connectTimeoutMs_ = 10000;
  uint32_t totalTimeoutMs_ = 20000;
  size_t maxBodyBytes_ = 1 << 20;
};
