// The HTTP client's library comes with the first request, not with the program.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/HttpClient.h"

namespace {

bool CurlMapped() {
  std::ifstream maps("/proc/self/maps");
  std::string line;
  while (std::getline(maps, line)) {
    if (line.find("libcurl") != std::string::npos) return true;
  }
  return false;
}

// Taken before main, after the loader has mapped every library the executable names.
const bool g_mappedAtStart = CurlMapped();

TEST(HttpClientLoad, LibraryComesWithTheFirstRequest) {
  EXPECT_FALSE(g_mappedAtStart);
  THTTPClient client(nullptr);
  client.SetConnectTimeoutMs(2000);
  client.SetTotalTimeoutMs(2000);
  // Port 1 on this machine: refused at once, but only after the library has been loaded.
  const THttpReply r = client.Get(u"http://127.0.0.1:1/");
  EXPECT_FALSE(r.Ok);
  EXPECT_FALSE(r.Error.empty());
  EXPECT_NE(r.Error, u"HTTP client unavailable");
  EXPECT_TRUE(CurlMapped());
}

}  // namespace
