// Pictures of the mini-HTML renderer.
#include "grid/foundation/PictureContainer.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>


namespace {

std::map<String, std::string>& Resources() {
  static std::map<String, std::string> r;
  return r;
}

// Little-endian; bytes past the end of a truncated file read as 0.
uint16_t ReadU16(const std::string& d, size_t at) {
  auto byte = [&](size_t i) -> unsigned { return i < d.size() ? static_cast<uint8_t>(d[i]) : 0u; };
  return static_cast<uint16_t>(byte(at) | (byte(at + 1) << 8));
}

}  // namespace

void RegisterHTMLResource(const String& Name, std::string Bytes) { Resources()[UpperCase(Name)] = std::move(Bytes); }

// ---------------------------------------------------------------------------------------------
THTMLPicture::THTMLPicture() = default;
THTMLPicture::~THTMLPicture() = default;

void THTMLPicture::Clear() {
  gpPicture.reset();
  FFrameCount = -1;
  FNextCount = -1;
  FTimerCount = -1;
  // Back to frame 1 of the data held so far; data that cannot be decoded must not stop the
  // picture from being replaced or cleared.
  try {
    SetFrame(1);
  } catch (const std::exception&) {
    gpPicture.reset();
  }
}

void THTMLPicture::Assign(TPersistent* Source) {
  Clear();
  if (!Source) {
    FDatastream.clear();
    FIsEmpty = true;
    gpPicture.reset();
    return;
  }
  if (auto* src = dynamic_cast<THTMLPicture*>(Source)) {
    if (src == this) return;
    FDatastream = src->FDatastream;
    FIsEmpty = false;
    Decode();
    Changed();
  }
}

int THTMLPicture::Width() const { return gpPicture ? gpPicture->Width() : 0; }
int THTMLPicture::Height() const { return gpPicture ? gpPicture->Height() : 0; }

void THTMLPicture::SetWidth(int) {}
void THTMLPicture::SetHeight(int) {}

void THTMLPicture::LoadFromClipboardFormat(uint16_t, uintptr_t, uintptr_t) {}
void THTMLPicture::SaveToClipboardFormat(uint16_t&, uintptr_t&, uintptr_t&) const {}
const QImage* THTMLPicture::NativeImage() const { return gpPicture ? gpPicture->NativeImage() : nullptr; }

int THTMLPicture::MaxWidth() const {
  if (!gpPicture) return 0;
  return FAnimMaxX ? FAnimMaxX : Width();
}
int THTMLPicture::MaxHeight() const {
  if (!gpPicture) return 0;
  return FAnimMaxY ? FAnimMaxY : Height();
}

void THTMLPicture::Draw(TCanvas* Canvas, const TRect& Rect) {
  if (FIsEmpty || !gpPicture || !Canvas) return;
  if (FStretched)
    Canvas->StretchDraw(Rect, gpPicture.get());
  else
    Canvas->Draw(Rect.Left, Rect.Top, gpPicture.get());
}

void THTMLPicture::LoadFromFile(const String& FileName) {
  try {
    // A device or pipe named in a cell's markup ("file:///dev/zero") must not be read.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(std::filesystem::path(StringToUtf8(FileName)), ec))
      throw EFOpenError(u"Cannot open file \"" + FileName + u"\"");
    TMemoryStream m;
    m.LoadFromFile(FileName);
    FDatastream.assign(m.Bytes());
    FFrameCount = -1;
    FIsEmpty = false;
    Decode();
    Changed();
  } catch (const std::exception&) {
    FDatastream.clear();
    FIsEmpty = true;
    gpPicture.reset();
  }
}

void THTMLPicture::LoadFromBytes(std::string_view Bytes) {
  FDatastream.assign(Bytes);
  FFrameCount = -1;  // the count belongs to the data it was taken from
  FIsEmpty = false;
  Decode();
  Changed();
}

namespace {
// The whole stream, from its first byte, whatever its position.
std::string WholeStream(TStream* Stream) {
  Stream->SetPosition(0);
  int64_t size = Stream->Size();
  std::string bytes(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (!bytes.empty()) Stream->ReadBuffer(bytes.data(), static_cast<int>(bytes.size()));
  return bytes;
}
}  // namespace

void THTMLPicture::LoadFromStream(TStream* Stream) {
  if (!Stream) return;
  LoadFromBytes(WholeStream(Stream));
}

void THTMLPicture::ReadData(TStream* Stream) {
  if (!Stream) return;
  FDatastream = WholeStream(Stream);
  FFrameCount = -1;
  FIsEmpty = false;
  Decode();
}

void THTMLPicture::WriteData(TStream* Stream) const {
  if (Stream && !FDatastream.empty()) Stream->WriteBytes(FDatastream);
}
void THTMLPicture::SaveToStream(TStream* Stream) const { WriteData(Stream); }

void THTMLPicture::LoadFromResourceName(const String& Name) {
  auto it = Resources().find(UpperCase(Name));
  if (it == Resources().end()) return;
  LoadFromBytes(it->second);
}

void THTMLPicture::LoadFromResourceID(int ID) {
  auto it = Resources().find(u"#" + IntToStr(ID));
  if (it == Resources().end()) throw EResNotFound(u"Resource " + IntToStr(ID) + u" not found");
  LoadFromBytes(it->second);
}

void THTMLPicture::LoadFromURL(const String& URL) {
  const String up = UpperCase(URL);
  if (up.rfind(u"RES://", 0) == 0) {
    FID = URL;
    String rest = URL.substr(6);
    if (!rest.empty()) LoadFromResourceName(rest);
    return;
  }
  if (up.rfind(u"FILE://", 0) == 0) {
    FID = URL;
    LoadFromFile(URL.substr(7));
    return;
  }
  // Nothing is downloaded: the picture is recorded and stays empty.
  if (FAsynch) {
    if (!FThreadBusy) {
      FURL = URL;
      FThreadBusy = true;
    }
    return;
  }
  FURL = URL;
  FID = URL;
}

// A graphic control extension (8 bytes from j) followed by an image descriptor of 10 bytes.
constexpr size_t kFrameHeader = 18;

std::vector<size_t> THTMLPicture::FrameStarts() const {
  std::vector<size_t> starts;
  const std::string& d = FDatastream;
  // A frame whose header is cut off is no frame: it has no position or size to read.
  for (size_t j = 0; j + kFrameHeader <= d.size(); ++j) {
    if (static_cast<uint8_t>(d[j]) == 0x21 && static_cast<uint8_t>(d[j + 1]) == 0xF9 &&
        static_cast<uint8_t>(d[j + 2]) == 0x04 && static_cast<uint8_t>(d[j + 8]) == 0x2C)
      starts.push_back(j);
  }
  return starts;
}

bool THTMLPicture::IsGIF() const { return FDatastream.size() > 4 && FDatastream.compare(0, 4, "GIF8") == 0; }

int THTMLPicture::FrameCount() {
  if (!IsGIF()) return -1;
  if (FFrameCount < 0) FFrameCount = static_cast<int>(FrameStarts().size());
  return FFrameCount;
}

int THTMLPicture::GetFrameTime(int Frame) const {
  if (!IsGIF()) return -1;
  auto starts = FrameStarts();
  if (Frame < 1 || Frame > static_cast<int>(starts.size())) return -1;
  return ReadU16(FDatastream, starts[Frame - 1] + 4);
}

void THTMLPicture::SetFrame(int Frame) {
  FFrame = Frame;
  if (!FDatastream.empty()) {
    Decode();
    if (OnFrameChange) OnFrameChange(this);
  }
}

void THTMLPicture::FrameNext() {
  int n = FrameCount();
  SetFrame(FFrame + 1 > n ? 1 : FFrame + 1);
}

void THTMLPicture::FramePrev() {
  int n = FrameCount();
  SetFrame(FFrame - 1 < 1 ? n : FFrame - 1);
}

bool THTMLPicture::Step() {
  if (FIsEmpty || FDatastream.empty() || FrameCount() < 2) return false;
  if (FNextCount == -1) FNextCount = GetFrameTime(FFrame);
  bool changed = false;
  if (FTimerCount * 10 >= FNextCount) {
    // Animation runs from a timer: a frame that cannot be decoded just shows nothing.
    try {
      FrameNext();
    } catch (const std::exception&) {
    }
    FNextCount += GetFrameTime(FFrame);
    changed = true;
  }
  ++FTimerCount;
  return changed;
}

void THTMLPicture::Decode() {
  gpPicture.reset();
  FFrameXPos = FFrameYPos = 0;
  FAnimMaxX = FAnimMaxY = 0;
  const std::string& d = FDatastream;
  std::string data;
  std::vector<size_t> starts;
  bool frameRead = false;
  if (IsGIF()) starts = FrameStarts();
  if (!starts.empty() && d.size() >= 10) {
    FAnimMaxX = ReadU16(d, 6);
    FAnimMaxY = ReadU16(d, 8);
    // Header and everything before the first frame, then frame FFrame and all after it.
    data.assign(d, 0, starts[0]);
    size_t from = d.size();
    if (FFrame >= 1 && FFrame <= static_cast<int>(starts.size())) {
      size_t j = starts[FFrame - 1];
      from = j;
      FFrameXPos = ReadU16(d, j + 9);
      FFrameYPos = ReadU16(d, j + 11);
      FFrameXSize = ReadU16(d, j + 13);
      FFrameYSize = ReadU16(d, j + 15);
      frameRead = true;
    }
    data.append(d, from, std::string::npos);
  } else {
    data = d;
  }
  std::unique_ptr<TGraphic> g = CreateGraphicFor(data);
  if (!g) throw Exception(u"Could not load image. Invalid format");
  try {
    g->LoadFromBytes(data);
  } catch (const std::exception&) {
    throw Exception(u"Could not load image. Invalid format");
  }
  if (g->Width() <= 0 || g->Height() <= 0) throw Exception(u"Could not load image");
  if (frameRead) CropToFrame(*g);
  gpPicture = std::move(g);
}

// The GIF decoder answers a frame placed inside the whole logical screen; the picture keeps only
// the frame's own rectangle, since the renderer draws it at the frame position.
void THTMLPicture::CropToFrame(TGraphic& Decoded) const {
  auto* raster = dynamic_cast<TRasterGraphic*>(&Decoded);
  if (!raster || FFrameXSize == 0 || FFrameYSize == 0) return;
  const int w0 = Decoded.Width(), h0 = Decoded.Height();
  const int left = std::min<int>(FFrameXPos, w0), top = std::min<int>(FFrameYPos, h0);
  const int right = std::min<int>(FFrameXPos + FFrameXSize, w0), bottom = std::min<int>(FFrameYPos + FFrameYSize, h0);
  if (left == 0 && top == 0 && right == w0 && bottom == h0) return;
  TBitmap full;
  full.Assign(&Decoded);
  TBitmap part;
  part.SetPixelFormat(full.PixelFormat());
  part.SetAlphaFormat(full.AlphaFormat());
  if (right <= left || bottom <= top) {
    // A frame wholly outside the screen shows nothing.
    part.SetPixelFormat(pf32bit);
    part.SetAlphaFormat(afDefined);
    part.SetSize(1, 1);
    std::memset(part.ScanLine(0), 0, 4);
  } else {
    const size_t bpp = full.PixelFormat() == pf24bit ? 3 : 4;
    part.SetSize(right - left, bottom - top);
    for (int y = top; y < bottom; ++y)
      std::memcpy(part.ScanLine(y - top), full.ScanLine(y) + left * bpp, (right - left) * bpp);
  }
  raster->AssignBitmap(&part);
}

// ---------------------------------------------------------------------------------------------
THTMLPictureCache::~THTMLPictureCache() { ClearPictures(); }

THTMLPicture* THTMLPictureCache::AddPicture() {
  FItems.push_back(std::make_unique<THTMLPicture>());
  return FItems.back().get();
}

THTMLPicture* THTMLPictureCache::FindPicture(const String& ID) const {
  for (const auto& p : FItems)
    if (p->ID() == ID) return p.get();
  return nullptr;
}

void THTMLPictureCache::ClearPictures() { FItems.clear(); }

THTMLPicture* THTMLPictureCache::Items(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError(u"List index out of bounds (" + IntToStr(Index) + u")");
  return FItems[Index].get();
}

void THTMLPictureCache::SetItems(int Index, THTMLPicture* Picture) {
  if (Index < 0 || Index >= Count()) throw EListError(u"List index out of bounds (" + IntToStr(Index) + u")");
  FItems[Index].reset(Picture);
}

bool THTMLPictureCache::Animate() {
  bool any = false;
  for (auto& p : FItems)
    if (p->Step()) any = true;
  return any;
}

// ---------------------------------------------------------------------------------------------
TPictureItem::TPictureItem(TCollection* ACollection)
    : TCollectionItem(ACollection), FPicture(std::make_unique<THTMLPicture>()) {}
TPictureItem::~TPictureItem() = default;

void TPictureItem::SetPicture(THTMLPicture* Value) { FPicture->Assign(Value); }

void TPictureItem::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TPictureItem*>(Source)) {
    FPicture->Assign(src->Picture());
    FName = src->FName;
    FTag = src->FTag;
    return;
  }
  TCollectionItem::Assign(Source);
}

TPictureCollection::TPictureCollection(TComponent* AOwner)
    : TCollection([](TCollection* c) -> TCollectionItem* { return New<TPictureItem>(c); }), FOwner(AOwner) {}

TPictureItem* TPictureCollection::Add() { return static_cast<TPictureItem*>(TCollection::Add()); }
TPictureItem* TPictureCollection::Insert(int Index) { return static_cast<TPictureItem*>(TCollection::Insert(Index)); }
TPictureItem* TPictureCollection::Items(int Index) const {
  return static_cast<TPictureItem*>(TCollection::Items(Index));
}

bool TPictureCollection::Animate() {
  bool any = false;
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Picture()->Step()) any = true;
  return any;
}

TPictureContainer::TPictureContainer(TComponent* AOwner)
    : TComponent(AOwner), FOwnItems(std::make_unique<TPictureCollection>(this)), FItems(FOwnItems.get()) {}
TPictureContainer::~TPictureContainer() = default;

THTMLPicture* TPictureContainer::FindPicture(const String& Name) {
  if (!FItems) return nullptr;
  const String key = UpperCase(Name);
  for (int i = 0; i < FItems->Count(); ++i) {
    TPictureItem* it = FItems->Items(i);
    if (UpperCase(it->Name()) == key) return it->Picture();
  }
  return nullptr;
}
