#include "platform/HttpClient.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>

namespace {

void GlobalInitOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct BodySink {
  std::string body;
  size_t limit = 0;
};

size_t AppendBody(char* data, size_t size, size_t count, void* user) {
  auto* sink = static_cast<BodySink*>(user);
  const size_t n = size * count;
  // Returning less than offered ends the transfer with a write error.
  if (sink->body.size() + n > sink->limit) return 0;
  sink->body.append(data, n);
  return n;
}

struct CurlDeleter {
  void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct SlistDeleter {
  void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};
struct MultiDeleter {
  void operator()(CURLM* m) const { curl_multi_cleanup(m); }
};

// How long one wait for the socket lasts, and so how soon a cancel is seen.
constexpr int kPollMs = 25;

// Runs the transfer; a set cancel flag ends it. The result of the transfer, or
// CURLE_ABORTED_BY_CALLBACK when cancelled.
CURLcode RunTransfer(CURL* c, const std::atomic<bool>* cancel) {
  std::unique_ptr<CURLM, MultiDeleter> multi(curl_multi_init());
  if (!multi) return CURLE_OUT_OF_MEMORY;
  CURLM* m = multi.get();
  if (curl_multi_add_handle(m, c) != CURLM_OK) return CURLE_FAILED_INIT;
  CURLcode rc = CURLE_OK;
  bool finished = false;
  for (;;) {
    int running = 0;
    if (curl_multi_perform(m, &running) != CURLM_OK) {
      rc = CURLE_FAILED_INIT;
      break;
    }
    int queued = 0;
    while (CURLMsg* msg = curl_multi_info_read(m, &queued)) {
      if (msg->msg == CURLMSG_DONE && msg->easy_handle == c) {
        rc = msg->data.result;
        finished = true;
      }
    }
    if (finished || running == 0) break;
    if (cancel && cancel->load()) {
      rc = CURLE_ABORTED_BY_CALLBACK;
      break;
    }
    curl_multi_poll(m, nullptr, 0, kPollMs, nullptr);
  }
  curl_multi_remove_handle(m, c);
  return rc;
}

}  // namespace

THTTPClient::THTTPClient(TComponent* AOwner) : TComponent(AOwner) {}

THttpReply THTTPClient::Get(const String& Url) { return Perform(Request(Url)); }

THttpRequest THTTPClient::Request(const String& Url) const {
  THttpRequest r;
  r.Url = Url;
  r.ProtocolVersion = protocolVersion_;
  r.Accept = accept_;
  r.UserAgent = userAgent_;
  r.ConnectTimeoutMs = connectTimeoutMs_;
  r.TotalTimeoutMs = totalTimeoutMs_;
  r.MaxBodyBytes = maxBodyBytes_;
  return r;
}

THttpReply THTTPClient::Perform(const THttpRequest& Request, const std::atomic<bool>* Cancel) {
  THttpReply reply;
  GlobalInitOnce();
  std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
  if (!curl) {
    reply.Error = u"HTTP client unavailable";
    return reply;
  }
  CURL* c = curl.get();
  const std::string url = StringToUtf8(Request.Url);
  BodySink body;
  body.limit = Request.MaxBodyBytes;
  char errbuf[CURL_ERROR_SIZE] = {};

  curl_easy_setopt(c, CURLOPT_URL, url.c_str());
  curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http");
  curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http");
  curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 0L);
  // An empty proxy switches off every proxy, the environment's included.
  curl_easy_setopt(c, CURLOPT_PROXY, "");
  curl_easy_setopt(c, CURLOPT_HTTP_VERSION,
                   Request.ProtocolVersion == u"1.1" ? CURL_HTTP_VERSION_1_1 : CURL_HTTP_VERSION_1_0);
  curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(Request.ConnectTimeoutMs));
  curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, static_cast<long>(Request.TotalTimeoutMs));
  curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, AppendBody);
  curl_easy_setopt(c, CURLOPT_WRITEDATA, &body);
  curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errbuf);
  // libcurl would otherwise ask for compressed replies or add its own Accept.
  curl_easy_setopt(c, CURLOPT_ACCEPT_ENCODING, nullptr);

  std::unique_ptr<curl_slist, SlistDeleter> headers;
  auto addHeader = [&](const std::string& line) {
    curl_slist* l = curl_slist_append(headers.get(), line.c_str());
    if (l) {
      headers.release();
      headers.reset(l);
    }
  };
  if (!Request.Accept.empty()) addHeader("Accept: " + StringToUtf8(Request.Accept));
  const std::string agent = StringToUtf8(Request.UserAgent);
  if (!agent.empty()) curl_easy_setopt(c, CURLOPT_USERAGENT, agent.c_str());
  if (headers) curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());

  const CURLcode rc = RunTransfer(c, Cancel);
  long status = 0;
  curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
  reply.Status = status;
  if (rc == CURLE_ABORTED_BY_CALLBACK) {
    reply.Error = u"Cancelled";
    return reply;
  }
  if (rc != CURLE_OK) {
    reply.Error = Utf8ToString(errbuf[0] ? std::string(errbuf) : std::string(curl_easy_strerror(rc)));
    return reply;
  }
  if (status < 200 || status > 299) {
    reply.Error = Utf8ToString("HTTP status " + std::to_string(status));
    return reply;
  }
  reply.Ok = true;
  reply.Body = std::move(body.body);
  return reply;
}
