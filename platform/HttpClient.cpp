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

}  // namespace

THTTPClient::THTTPClient(TComponent* AOwner) : TComponent(AOwner) {}

THttpReply THTTPClient::Get(const String& Url) {
  THttpReply reply;
  GlobalInitOnce();
  std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
  if (!curl) {
    reply.Error = u"HTTP client unavailable";
    return reply;
  }
  CURL* c = curl.get();
  const std::string url = StringToUtf8(Url);
  BodySink body;
  body.limit = maxBodyBytes_;
  char errbuf[CURL_ERROR_SIZE] = {};

  curl_easy_setopt(c, CURLOPT_URL, url.c_str());
  curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http");
  curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http");
  curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 0L);
  // An empty proxy switches off every proxy, the environment's included.
  curl_easy_setopt(c, CURLOPT_PROXY, "");
  curl_easy_setopt(c, CURLOPT_HTTP_VERSION,
                   protocolVersion_ == u"1.1" ? CURL_HTTP_VERSION_1_1 : CURL_HTTP_VERSION_1_0);
  curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(connectTimeoutMs_));
  curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, static_cast<long>(totalTimeoutMs_));
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
  if (!accept_.empty()) addHeader("Accept: " + StringToUtf8(accept_));
  if (!userAgent_.empty()) curl_easy_setopt(c, CURLOPT_USERAGENT, StringToUtf8(userAgent_).c_str());
  if (headers) curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());

  const CURLcode rc = curl_easy_perform(c);
  long status = 0;
  curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
  reply.Status = status;
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
