#include "platform/HttpClient.h"

// libcurl's declarations only: the library and the two dozen it pulls in are loaded at the first
// request, not with the program (most sessions never check for a new version).
#include <curl/curl.h>
#include <dlfcn.h>

#include <memory>

namespace {

struct CurlApi {
  CURLcode (*global_init)(long) = nullptr;
  CURL* (*easy_init)() = nullptr;
  void (*easy_cleanup)(CURL*) = nullptr;
  CURLcode (*easy_setopt)(CURL*, CURLoption, ...) = nullptr;
  CURLcode (*easy_getinfo)(CURL*, CURLINFO, ...) = nullptr;
  const char* (*easy_strerror)(CURLcode) = nullptr;
  curl_slist* (*slist_append)(curl_slist*, const char*) = nullptr;
  void (*slist_free_all)(curl_slist*) = nullptr;
  CURLM* (*multi_init)() = nullptr;
  CURLMcode (*multi_cleanup)(CURLM*) = nullptr;
  CURLMcode (*multi_add_handle)(CURLM*, CURL*) = nullptr;
  CURLMcode (*multi_remove_handle)(CURLM*, CURL*) = nullptr;
  CURLMcode (*multi_perform)(CURLM*, int*) = nullptr;
  CURLMsg* (*multi_info_read)(CURLM*, int*) = nullptr;
  CURLMcode (*multi_poll)(CURLM*, curl_waitfd[], unsigned, int, int*) = nullptr;
};

template <class Fn>
bool Resolve(void* lib, const char* name, Fn& fn) {
  fn = reinterpret_cast<Fn>(dlsym(lib, name));
  return fn != nullptr;
}

CurlApi g_curl;

// Loads libcurl once, on the first request from whichever thread, and keeps it until the process
// ends (libcurl and its TLS library clean up at exit themselves). false when it cannot be loaded.
bool LoadCurl() {
  static const bool loaded = [] {
    void* lib = dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
    if (!lib) return false;
    CurlApi& a = g_curl;
    const bool ok =
        Resolve(lib, "curl_global_init", a.global_init) && Resolve(lib, "curl_easy_init", a.easy_init) &&
        Resolve(lib, "curl_easy_cleanup", a.easy_cleanup) && Resolve(lib, "curl_easy_setopt", a.easy_setopt) &&
        Resolve(lib, "curl_easy_getinfo", a.easy_getinfo) && Resolve(lib, "curl_easy_strerror", a.easy_strerror) &&
        Resolve(lib, "curl_slist_append", a.slist_append) && Resolve(lib, "curl_slist_free_all", a.slist_free_all) &&
        Resolve(lib, "curl_multi_init", a.multi_init) && Resolve(lib, "curl_multi_cleanup", a.multi_cleanup) &&
        Resolve(lib, "curl_multi_add_handle", a.multi_add_handle) &&
        Resolve(lib, "curl_multi_remove_handle", a.multi_remove_handle) &&
        Resolve(lib, "curl_multi_perform", a.multi_perform) && Resolve(lib, "curl_multi_info_read", a.multi_info_read) &&
        Resolve(lib, "curl_multi_poll", a.multi_poll);
    if (!ok || a.global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) {
      dlclose(lib);
      return false;
    }
    return true;
  }();
  return loaded;
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
  void operator()(CURL* c) const { g_curl.easy_cleanup(c); }
};
struct SlistDeleter {
  void operator()(curl_slist* l) const { g_curl.slist_free_all(l); }
};
struct MultiDeleter {
  void operator()(CURLM* m) const { g_curl.multi_cleanup(m); }
};

// How long one wait for the socket lasts, and so how soon a cancel is seen.
constexpr int kPollMs = 25;

// Runs the transfer; a set cancel flag ends it. The result of the transfer, or
// CURLE_ABORTED_BY_CALLBACK when cancelled.
CURLcode RunTransfer(CURL* c, const std::atomic<bool>* cancel) {
  std::unique_ptr<CURLM, MultiDeleter> multi(g_curl.multi_init());
  if (!multi) return CURLE_OUT_OF_MEMORY;
  CURLM* m = multi.get();
  if (g_curl.multi_add_handle(m, c) != CURLM_OK) return CURLE_FAILED_INIT;
  CURLcode rc = CURLE_OK;
  bool finished = false;
  for (;;) {
    int running = 0;
    if (g_curl.multi_perform(m, &running) != CURLM_OK) {
      rc = CURLE_FAILED_INIT;
      break;
    }
    int queued = 0;
    while (CURLMsg* msg = g_curl.multi_info_read(m, &queued)) {
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
    g_curl.multi_poll(m, nullptr, 0, kPollMs, nullptr);
  }
  g_curl.multi_remove_handle(m, c);
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
  if (!LoadCurl()) {
    reply.Error = u"HTTP client unavailable";
    return reply;
  }
  std::unique_ptr<CURL, CurlDeleter> curl(g_curl.easy_init());
  if (!curl) {
    reply.Error = u"HTTP client unavailable";
    return reply;
  }
  CURL* c = curl.get();
  const std::string url = StringToUtf8(Request.Url);
  BodySink body;
  body.limit = Request.MaxBodyBytes;
  char errbuf[CURL_ERROR_SIZE] = {};

  g_curl.easy_setopt(c, CURLOPT_URL, url.c_str());
  g_curl.easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http");
  g_curl.easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http");
  g_curl.easy_setopt(c, CURLOPT_FOLLOWLOCATION, 0L);
  // An empty proxy switches off every proxy, the environment's included.
  g_curl.easy_setopt(c, CURLOPT_PROXY, "");
  g_curl.easy_setopt(c, CURLOPT_HTTP_VERSION,
                   Request.ProtocolVersion == u"1.1" ? static_cast<long>(CURL_HTTP_VERSION_1_1)
                                                        : static_cast<long>(CURL_HTTP_VERSION_1_0));
  g_curl.easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
  g_curl.easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(Request.ConnectTimeoutMs));
  g_curl.easy_setopt(c, CURLOPT_TIMEOUT_MS, static_cast<long>(Request.TotalTimeoutMs));
  g_curl.easy_setopt(c, CURLOPT_WRITEFUNCTION, AppendBody);
  g_curl.easy_setopt(c, CURLOPT_WRITEDATA, &body);
  g_curl.easy_setopt(c, CURLOPT_ERRORBUFFER, errbuf);
  // libcurl would otherwise ask for compressed replies or add its own Accept.
  g_curl.easy_setopt(c, CURLOPT_ACCEPT_ENCODING, nullptr);

  std::unique_ptr<curl_slist, SlistDeleter> headers;
  auto addHeader = [&](const std::string& line) {
    curl_slist* l = g_curl.slist_append(headers.get(), line.c_str());
    if (l) {
      headers.release();
      headers.reset(l);
    }
  };
  if (!Request.Accept.empty()) addHeader("Accept: " + StringToUtf8(Request.Accept));
  const std::string agent = StringToUtf8(Request.UserAgent);
  if (!agent.empty()) g_curl.easy_setopt(c, CURLOPT_USERAGENT, agent.c_str());
  if (headers) g_curl.easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());

  const CURLcode rc = RunTransfer(c, Cancel);
  long status = 0;
  g_curl.easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
  reply.Status = status;
  if (rc == CURLE_ABORTED_BY_CALLBACK) {
    reply.Error = u"Cancelled";
    return reply;
  }
  if (rc != CURLE_OK) {
    reply.Error = Utf8ToString(errbuf[0] ? std::string(errbuf) : std::string(g_curl.easy_strerror(rc)));
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
