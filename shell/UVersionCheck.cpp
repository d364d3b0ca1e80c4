#include "shell/UVersionCheck.h"

#include "platform/Encoding.h"
#include "platform/SysUtils.h"
#include "shell/UComon.h"

String Maker_Web_Server = Maker_Web_Server_Default;
const String Soft_Version = u"1.000";
THTTPClient* Version_Client = nullptr;

namespace {

String Http_Root() { return u"http://" + Maker_Web_Server; }

}  // namespace

String Maker_Home_Page_URL() { return Http_Root() + u"/HOME/default.asp?frompg=" + Soft_Code_Init; }
String Maker_Download_URL() { return Http_Root() + u"/Home/download/download.asp#MX40001"; }
String Version_Request_URL() {
  return Http_Root() + u"/home/download/GetversionSW.asp?nomesw=" + Update_Soft_Code;
}

String Html_Anchor(const String& Target, const String& Text) {
  return u"<a href=\"" + Target + u"\">" + Text + u"</a>";
}

int Conv_Version(const String& Ver_str) {
  String s = Ver_str;
  const size_t blank = s.find(u' ');
  if (blank != String::npos) s = s.substr(blank + 1);
  s = Trim(s);
  if (s.size() < 5) return -1;
  // Character 2 is the decimal point of d.ddd.
  // Decimal digits only: the integer reader would also take a sign or a "$" hexadecimal prefix.
  int value = 0;
  for (const Char c : {s[0], s[2], s[3], s[4]}) {
    if (c < u'0' || c > u'9') return -1;
    value = value * 10 + (c - u'0');
  }
  return value;
}

bool Is_Newer_Version_Reply(const String& Reply) {
  const String text = Trim(Reply);
  const String upper = UpperCase(text);
  if (upper.empty() || upper == u"VER. 0.000") return false;
  const int own = Conv_Version(Soft_Version);
  const int remote = Conv_Version(text);
  return own != -1 && remote != -1 && remote > own;
}

void Configure_Version_Client(THTTPClient* C) {
  C->SetProtocolVersion(u"1.0");
  C->SetAccept(u"text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8");
  C->SetUserAgent(u"Mozilla/3.0 (compatible; Indy Library)");
}

bool Request_Newer_Version(const THttpRequest& Request, const std::atomic<bool>* Cancel) {
  String reply;
  try {
    const THttpReply r = THTTPClient::Perform(Request, Cancel);
    if (r.Ok) reply = DecodeText(r.Body);
  } catch (const std::exception&) {
    reply.clear();
  }
  return Is_Newer_Version_Reply(reply);
}

unsigned Version_Verdict_Message() {
  static const unsigned msg = RegisterWindowMessage(u"ConfVersionVerdict");
  return msg;
}

TVersionCheck::~TVersionCheck() { Cancel(); }

bool TVersionCheck::Start(THTTPClient* Client, TControl* Target) {
  if (awaited_ != 0 || !Client || !Target) return false;
  Join();
  // Everything the worker reads is copied here, on the UI thread.
  const THttpRequest request = Client->Request(Version_Request_URL());
  const unsigned msg = Version_Verdict_Message();
  const intptr_t number = ++last_;
  auto cancel = std::make_shared<std::atomic<bool>>(false);
  worker_ = std::thread([request, cancel, Target, msg, number] {
    const bool newer = Request_Newer_Version(request, cancel.get());
    if (!cancel->load()) PostMessage(Target, msg, newer ? 1 : 0, number);
  });
  cancel_ = std::move(cancel);
  awaited_ = number;
  return true;
}

void TVersionCheck::Cancel() {
  if (cancel_) cancel_->store(true);
  Join();
  cancel_.reset();
  awaited_ = 0;
}

std::optional<bool> TVersionCheck::Take(const TMessage& Message) {
  if (Message.Msg != Version_Verdict_Message() || awaited_ == 0 || Message.LParam != awaited_) return std::nullopt;
  awaited_ = 0;
  cancel_.reset();
  // The worker has posted its verdict and is ending.
  Join();
  return Message.WParam != 0;
}

void TVersionCheck::Join() {
  if (worker_.joinable()) worker_.join();
}
