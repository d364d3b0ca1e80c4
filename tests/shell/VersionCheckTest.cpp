#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "MainWindowTestSupport.h"
#include "platform/HttpClient.h"
#include "platform/testing/MessageLoop.h"

using namespace shellwin;

TEST(ConvVersion, ReadsTheFourDigitsAroundThePoint) {
  const struct {
    const char16_t* text;
    int expected;
  } cases[] = {
      {u"1.000", 1000},       {u"VER. 1.002", 1002},   {u"ver. 0.999", 999},  {u"VER.  2.345 ", 2345},
      {u"VER. 12.00", -1},    {u"VER. 2", -1},         {u"", -1},             {u"VER. x.yzw", -1},
      {u"VER. 1.0", -1},      {u"VER. 1,234", 1234},   {u"A B 1.000", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(Conv_Version(c.text), c.expected) << StringToUtf8(c.text);
}

// A sign or a hexadecimal prefix in place of the first digit is no version: "VER. $.FFF" would
// otherwise read as 4095 and announce a newer version.
TEST(ConvVersion, OnlyDecimalDigitsMakeANumber) {
  const struct {
    const char16_t* text;
    int expected;
  } cases[] = {
      {u"VER. -.888", -1}, {u"VER. $.FFF", -1}, {u"VER. +.123", -1}, {u"VER. 1.-12", -1},
      {u"VER. 9.999", 9999}, {u"VER. 0.000", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(Conv_Version(c.text), c.expected) << StringToUtf8(c.text);
  EXPECT_FALSE(Is_Newer_Version_Reply(u"VER. $.FFF"));
}

TEST(VersionReply, OnlyAHigherNumberIsNewer) {
  const struct {
    const char16_t* reply;
    bool newer;
  } cases[] = {
      {u"VER. 1.002", true},  {u"  VER. 1.002\r\n", true}, {u"VER. 1.000", false}, {u"VER. 0.999", false},
      {u"ver. 0.000", false}, {u"VER. 0.000", false},      {u"VER. 12.00", false}, {u"VER. 2", false},
      {u"", false},           {u"<html>error</html>", false},
  };
  for (const auto& c : cases) EXPECT_EQ(Is_Newer_Version_Reply(c.reply), c.newer) << StringToUtf8(c.reply);
}

class VersionCheckTest : public ::testing::Test {
 protected:
  void SetUp() override { Load_Default_Strings(); }
  ShellWindows windows;
};

TEST_F(VersionCheckTest, SendsTheHttp10RequestWithTheFixedHeaders) {
  LoopbackHttpServer server(LoopbackHttpServer::Ok("VER. 1.002"));
  MakerServerScope scope(server.Host());
  EXPECT_TRUE(windows.options->Check_Version());
  const std::string request = server.Request();
  const std::string expected =
      "GET /home/download/GetversionSW.asp?nomesw=MS40001 HTTP/1.0\r\n"
      "Host: 127.0.0.1:" + std::to_string(server.Port()) + "\r\n"
      "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"
      "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\r\n"
      "\r\n";
  EXPECT_EQ(request, expected);
  // No cookie and no proxy header ever goes out.
  EXPECT_EQ(request.find("Cookie"), std::string::npos);
  EXPECT_EQ(request.find("Proxy"), std::string::npos);
}

TEST_F(VersionCheckTest, RepliesOfTheServer) {
  const struct {
    std::string reply;
    bool newer;
  } cases[] = {
      {LoopbackHttpServer::Ok("VER. 1.002"), true},
      {LoopbackHttpServer::Ok("VER. 1.000"), false},
      {LoopbackHttpServer::Ok("garbage"), false},
      {LoopbackHttpServer::Ok(""), false},
      {"HTTP/1.0 404 Not Found\r\nContent-Length: 10\r\n\r\nVER. 9.999", false},
      {"HTTP/1.0 500 Server Error\r\n\r\nVER. 9.999", false},
      {"HTTP/1.0 302 Found\r\nLocation: http://127.0.0.1:1/x\r\n\r\nVER. 9.999", false},
      {"not http at all", false},
      // A body beyond the client's limit is refused whole.
      {LoopbackHttpServer::Ok("VER. 1.002" + std::string(2 << 20, ' ')), false},
  };
  for (const auto& c : cases) {
    LoopbackHttpServer server(c.reply);
    MakerServerScope scope(server.Host());
    EXPECT_EQ(windows.options->Check_Version(), c.newer) << c.reply;
    EXPECT_EQ(server.Requests(), 1) << c.reply;
  }
}

TEST_F(VersionCheckTest, RefusedAndSilentServersMeanNoUpdate) {
  EXPECT_EQ(windows.main->HTTP1->ConnectTimeoutMs(), 10000u);
  EXPECT_EQ(windows.main->HTTP1->TotalTimeoutMs(), 20000u);
  {
    RefusingPort port;
    MakerServerScope scope(port.Host());
    EXPECT_FALSE(windows.options->Check_Version());
  }
  {
    LoopbackHttpServer silent("", LoopbackHttpServer::kStall);
    MakerServerScope scope(silent.Host());
    // A shorter limit keeps the test quick; the request must end by itself.
    windows.main->HTTP1->SetTotalTimeoutMs(300);
    EXPECT_FALSE(windows.options->Check_Version());
    EXPECT_EQ(silent.Requests(), 1);
  }
}

TEST_F(VersionCheckTest, CheckOnDemandShowsTheLinkOrNoUpdate) {
  TFSoftOptions* o = windows.options;
  {
    LoopbackHttpServer server(LoopbackHttpServer::Ok("VER. 1.002"));
    MakerServerScope scope(server.Host());
    o->Btn_Check_UpdateClick(o->Btn_Check_Update);
    ASSERT_TRUE(RunMessageLoopUntil([&] { return !o->Version_Check.Running(); }));
    EXPECT_TRUE(o->LL_Check_Update->Visible());
    EXPECT_EQ(o->LL_Check_Update->Caption(),
              u"<a href=\"http://" + server.Host() + u"/Home/download/download.asp#MX40001\">" + Text(314) + u"</a>");
    EXPECT_EQ(o->LL_Check_Update->Parts().Target,
              u"http://" + server.Host() + u"/Home/download/download.asp#MX40001");
  }
  {
    RefusingPort port;
    MakerServerScope scope(port.Host());
    o->Btn_Check_UpdateClick(o->Btn_Check_Update);
    ASSERT_TRUE(RunMessageLoopUntil([&] { return !o->Version_Check.Running(); }));
    EXPECT_TRUE(o->LL_Check_Update->Visible());
    EXPECT_EQ(o->LL_Check_Update->Caption(), u"No Update Available");
  }
}

// A server that never answers, and a client that would wait for it longer than any test runs:
// only the program itself can end the request.
class SilentServerTest : public VersionCheckTest {
 protected:
  void SetUp() override {
    VersionCheckTest::SetUp();
    windows.main->HTTP1->SetTotalTimeoutMs(3600000);
  }
  LoopbackHttpServer silent{"", LoopbackHttpServer::kStall};
  MakerServerScope scope{silent.Host()};
};

TEST_F(SilentServerTest, TheMessageLoopRunsWhileTheTimersCheckWaits) {
  TFKelvaneFirmWare* m = windows.main;
  m->LL_Update->SetVisible(true);
  // Returns at once: the request runs on its own thread.
  m->Timer_UpdateTimer(m->Timer_Update);
  EXPECT_TRUE(m->Version_Check.Running());
  EXPECT_FALSE(m->Timer_Update->Enabled());
  // A timer of the window keeps firing, and a message posted to it arrives, while the server
  // holds the request.
  TTimer ticker(nullptr);
  int ticks = 0;
  ticker.SetInterval(5);
  ticker.OnTimer = [&](TObject*) { ++ticks; };
  ticker.SetEnabled(true);
  ASSERT_TRUE(RunMessageLoopUntil([&] { return ticks >= 3 && silent.Requests() == 1; }));
  EXPECT_TRUE(m->Version_Check.Running());
  EXPECT_TRUE(m->LL_Update->Visible());
  // A second tick while the first request waits starts none.
  EXPECT_FALSE(m->Version_Check.Start(m->HTTP1, m));
  EXPECT_EQ(silent.Requests(), 1);
  ticker.SetEnabled(false);
}

TEST_F(SilentServerTest, TheOnDemandCheckLeavesTheDialogRunning) {
  TFSoftOptions* o = windows.options;
  o->FormShow(o);
  o->Btn_Check_UpdateClick(o->Btn_Check_Update);
  EXPECT_TRUE(o->Version_Check.Running());
  EXPECT_FALSE(o->LL_Check_Update->Visible());
  ASSERT_TRUE(RunMessageLoopUntil([&] { return silent.Requests() == 1; }));
  EXPECT_TRUE(o->Version_Check.Running());
  // Showing the dialog again drops the old request: its verdict never lands on the new page.
  o->FormShow(o);
  EXPECT_FALSE(o->Version_Check.Running());
  ASSERT_TRUE(RunMessageLoopUntil([&] { return silent.Hangups() == 1; }));
  EXPECT_FALSE(o->LL_Check_Update->Visible());
}

TEST(VersionCheckClosing, ClosingDuringTheRequestEndsItWithoutAVerdict) {
  const struct {
    const char* name;
    std::function<void(ShellWindows&)> close;
  } cases[] = {
      {"program closes", [](ShellWindows& w) {
         TCloseAction action = caHide;
         w.main->FormClose(w.main, action);
         EXPECT_FALSE(w.main->Version_Check.Running());
       }},
      {"window destroyed", [](ShellWindows& w) { w.Destroy(); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LoopbackHttpServer silent("", LoopbackHttpServer::kStall);
    MakerServerScope scope(silent.Host());
    ShellWindows w;
    Load_Default_Strings();
    w.main->HTTP1->SetTotalTimeoutMs(3600000);
    w.main->Timer_UpdateTimer(w.main->Timer_Update);
    ASSERT_TRUE(RunMessageLoopUntil([&] { return silent.Requests() == 1; }));
    // Returns although the server never answers; the client hangs up.
    c.close(w);
    ASSERT_TRUE(RunMessageLoopUntil([&] { return silent.Hangups() == 1; }));
    // Nothing of the dropped request is delivered afterwards.
    EXPECT_EQ(DeliverPostedMessages(), 0);
    if (w.main) {
      EXPECT_FALSE(w.main->LL_Update->Visible());
      EXPECT_FALSE(w.main->Timer_Update->Enabled());
    }
  }
}

TEST(HttpClient, CancelEndsARequestToASilentServer) {
  LoopbackHttpServer silent("", LoopbackHttpServer::kStall);
  THTTPClient client(nullptr);
  client.SetTotalTimeoutMs(3600000);
  std::atomic<bool> cancel{false};
  THttpReply reply;
  std::thread request([&] { reply = THTTPClient::Perform(client.Request(u"http://" + silent.Host() + u"/v"), &cancel); });
  ASSERT_TRUE(RunMessageLoopUntil([&] { return silent.Requests() == 1; }));
  cancel = true;
  request.join();
  EXPECT_FALSE(reply.Ok);
  EXPECT_EQ(reply.Error, u"Cancelled");
  EXPECT_TRUE(RunMessageLoopUntil([&] { return silent.Hangups() == 1; }));
}

TEST(HttpClient, PlainHttpOnly) {
  THTTPClient client(nullptr);
  for (const char16_t* url : {u"file:///etc/hostname", u"ftp://127.0.0.1/x", u"https://127.0.0.1:1/"}) {
    const THttpReply r = client.Get(url);
    EXPECT_FALSE(r.Ok) << StringToUtf8(url);
    EXPECT_TRUE(r.Body.empty());
  }
}
