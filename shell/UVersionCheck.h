#pragma once
// The version check against the maker's web server: the server and its links, the verdict on a
// reply, and the request run on a worker thread whose verdict reaches a window as a message, so
// that a silent server never stops the message loop.
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <thread>

#include "platform/Controls.h"
#include "platform/HttpClient.h"

// The maker's web server (host, optionally ":port"). One place for every link and the version
// request; tests point it at a loopback server.
extern String Maker_Web_Server;
constexpr const char16_t* Maker_Web_Server_Default = u"www.example.com";
// The version this program reports and compares.
extern const String Soft_Version;  // "1.000"

String Maker_Home_Page_URL();     // http://<server>/HOME/default.asp?frompg=MS40001
String Maker_Download_URL();      // http://<server>/Home/download/download.asp#MX40001
String Version_Request_URL();     // http://<server>/home/download/GetversionSW.asp?nomesw=MS40001

// One HTML anchor for a link label.
String Html_Anchor(const String& Target, const String& Text);

// The version number of a version text ("VER. 1.002" gives 1002), or -1.
int Conv_Version(const String& Ver_str);
// The verdict on a reply body: true when it names a newer version than Soft_Version.
bool Is_Newer_Version_Reply(const String& Reply);
// Protocol 1.0, the Accept and User-Agent headers of the version request.
void Configure_Version_Client(THTTPClient* C);

// The client whose settings every version request uses: the main window's HTTP1 while the main
// window exists; nullptr otherwise.
extern THTTPClient* Version_Client;

// The verdict of one request (blocking): true when the server names a newer version; any failure,
// a cancel included, is false.
bool Request_Newer_Version(const THttpRequest& Request, const std::atomic<bool>* Cancel = nullptr);

// The message that carries a verdict: WParam 1 when a newer version exists, LParam the number
// of the request it answers.
unsigned Version_Verdict_Message();

// One version request at a time on a worker thread; its verdict is posted to the target window.
// Destroying the check (or Cancel) ends a running request and waits for its thread, so no
// verdict of it is handled afterwards.
class TVersionCheck {
 public:
  TVersionCheck() = default;
  TVersionCheck(const TVersionCheck&) = delete;
  TVersionCheck& operator=(const TVersionCheck&) = delete;
  ~TVersionCheck();

  // Starts a request with Client's settings to Version_Request_URL(); false (and nothing
  // started) while a request is awaited.
  bool Start(THTTPClient* Client, TControl* Target);
  // Whether a verdict is still awaited.
  bool Running() const { return awaited_ != 0; }
  void Cancel();
  // The verdict a Version_Verdict_Message carries when it answers the awaited request (which
  // then ends); nullopt for any other message.
  std::optional<bool> Take(const TMessage& Message);

 private:
  void Join();

  std::thread worker_;
  std::shared_ptr<std::atomic<bool>> cancel_;
  intptr_t awaited_ = 0;  // number of the awaited request, 0 when none
  intptr_t last_ = 0;
};
