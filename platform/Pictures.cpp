// Bitmaps, pictures and image lists. BMP, PNG, GIF and ICO are read through Qt; JPEG goes
// through libjpeg-turbo directly.
#include <atomic>
#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QImageWriter>

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include <jpeglib.h>

#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/qt/QtCanvas.h"

namespace {

// The most memory a picture may take once decoded (32 bits a pixel): a header announcing more is
// refused before anything is decoded. No picture of this program comes near it.
constexpr int kMaxDecodedMegabytes = 64;
constexpr uint64_t kMaxDecodedBytes = uint64_t{kMaxDecodedMegabytes} << 20;
// An icon file's directory may announce 65535 images; real icons hold a handful of sizes.
constexpr int kMaxIconImages = 64;

std::filesystem::path PathOf(const String& s) { return std::filesystem::path(StringToUtf8(s)); }

std::string ReadAll(const String& path) {
  std::ifstream in(PathOf(path), std::ios::binary);
  if (!in) throw EFOpenError(u"Cannot open file \"" + path + u"\". No such file or directory");
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const String& path, const std::string& bytes) {
  if (const auto error = TrySaveFileWhole(path, bytes)) {
    if (error->Step == TSaveStep::Create) throw EFCreateError(error->Message());
    throw EWriteError(error->Message());
  }
}

QImage ReadWithQt(std::string_view bytes, const char* format) {
  EnsureQtGuiApplication();
  QByteArray data(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QBuffer buf(&data);
  buf.open(QIODevice::ReadOnly);
  QImageReader reader(&buf, format);
  reader.setAutoTransform(false);
  reader.setAllocationLimit(kMaxDecodedMegabytes);
  QImage img;
  if (std::strcmp(format, "ico") == 0) {
    // The largest image of the icon. The count comes from the file: only so many are looked at.
    QImage best;
    int left = kMaxIconImages;
    do {
      QImage one = reader.read();
      if (!one.isNull() && one.width() * one.height() > best.width() * best.height()) best = one;
    } while (--left > 0 && reader.jumpToNextImage());
    img = best;
  } else {
    img = reader.read();  // a GIF gives its first frame
  }
  return img;
}

std::string WriteWithQt(const QImage& img, const char* format) {
  EnsureQtGuiApplication();
  QByteArray data;
  QBuffer buf(&data);
  buf.open(QIODevice::WriteOnly);
  QImageWriter writer(&buf, format);
  if (!writer.write(img))
    throw EInvalidGraphic(u"Cannot write the picture: " + QString(writer.errorString()).toStdU16String());
  return std::string(data.constData(), static_cast<size_t>(data.size()));
}

QImage::Format FormatFor(TPixelFormat f) {
  switch (f) {
    case pf24bit: return QImage::Format_BGR888;
    case pf32bit: return QImage::Format_ARGB32;
    default: return QImage::Format_RGB32;
  }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TGraphic

void TGraphic::Changed() {
  if (OnChange) OnChange(this);
}

uint64_t TGraphic::NextCreationSerial() {
  static std::atomic<uint64_t> next{1};
  return next.fetch_add(1, std::memory_order_relaxed);
}

void TGraphic::SetTransparent(bool v) {
  if (v == transparent_) return;
  transparent_ = v;
  Changed();
}

void TGraphic::LoadFromFile(const String& path) { LoadFromBytes(ReadAll(path)); }

void TGraphic::SaveToFile(const String& path) { WriteAll(path, SaveToBytes()); }

void TGraphic::LoadFromStream(TStream* stream) {
  if (!stream) return;
  int64_t left = stream->Size() - stream->Position();
  std::string bytes(static_cast<size_t>(std::max<int64_t>(0, left)), '\0');
  if (!bytes.empty()) stream->ReadBuffer(bytes.data(), static_cast<int>(bytes.size()));
  LoadFromBytes(bytes);
}

void TGraphic::SaveToStream(TStream* stream) const {
  if (stream) stream->WriteBytes(SaveToBytes());
}

// ---------------------------------------------------------------------------------------------
// TBitmap and its canvas

// The bitmap's canvas opens a painter on the image when it first draws and ends it whenever the
// bitmap touches its pixels directly (ScanLine, resizing, loading).
class TBitmapCanvas final : public TQtCanvas {
 public:
  explicit TBitmapCanvas(TBitmap* owner) : owner_(owner) {}
  ~TBitmapCanvas() override { Release(); }
  void Release() {
    EndDrawing();
    own_.reset();
  }

 protected:
  QPainter* Painter() override {
    if (!own_) {
      QImage* img = owner_->MutableImageNoRelease();
      if (!img || img->isNull()) return nullptr;
      own_ = std::make_unique<QPainter>(img);
      ApplyClip(own_.get());
    }
    return own_.get();
  }

 private:
  TBitmap* owner_;
  std::unique_ptr<QPainter> own_;
};

struct TBitmap::Impl {
  QImage image;
  std::unique_ptr<TBitmapCanvas> canvas;
};

TBitmap::TBitmap() : d_(std::make_unique<Impl>()) {}

TBitmap::~TBitmap() {
  if (d_->canvas) d_->canvas->Release();
}

int TBitmap::Width() const { return d_->image.width(); }
int TBitmap::Height() const { return d_->image.height(); }
void TBitmap::SetWidth(int w) { SetSize(w, Height()); }
void TBitmap::SetHeight(int h) { SetSize(Width(), h); }

void TBitmap::ReleaseCanvas() {
  if (d_->canvas) d_->canvas->Release();
}

void TBitmap::SetSize(int w, int h) {
  w = std::max(0, w);
  h = std::max(0, h);
  if (w == Width() && h == Height()) return;
  ReleaseCanvas();
  QImage next;
  if (w > 0 && h > 0) {
    next = QImage(w, h, FormatFor(format_));
    next.fill(QColor(255, 255, 255));
    if (!d_->image.isNull()) {
      QPainter p(&next);
      p.setCompositionMode(QPainter::CompositionMode_Source);
      p.drawImage(0, 0, d_->image);
    }
  }
  d_->image = next;
  Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat f) {
  if (f == format_) return;
  ReleaseCanvas();
  format_ = f;
  if (!d_->image.isNull()) d_->image = d_->image.convertToFormat(FormatFor(f));
  Changed();
}

TCanvas* TBitmap::Canvas() {
  if (!d_->canvas) d_->canvas = std::make_unique<TBitmapCanvas>(this);
  return d_->canvas.get();
}

uint8_t* TBitmap::ScanLine(int y) {
  if (y < 0 || y >= Height()) throw EInvalidGraphic(u"Scan line index out of range");
  ReleaseCanvas();
  return d_->image.scanLine(y);
}

TColor TBitmap::TransparentColor() {
  if (transparentMode_ == tmFixed && transparentColor_ != clDefault) return transparentColor_;
  if (d_->image.isNull()) return clDefault;
  QColor c = d_->image.pixelColor(0, d_->image.height() - 1);
  return FromQColor(c);
}

void TBitmap::SetTransparentColor(TColor c) {
  transparentColor_ = c;
  transparentMode_ = c == clDefault ? tmAuto : tmFixed;
  Changed();
}

const QImage* TBitmap::NativeImage() const { return &d_->image; }

QImage* TBitmap::MutableImage() {
  ReleaseCanvas();
  return &d_->image;
}

QImage* TBitmap::MutableImageNoRelease() { return &d_->image; }

void TBitmap::Assign(TPersistent* Source) {
  if (!Source) {
    ReleaseCanvas();
    d_->image = QImage();
    Changed();
    return;
  }
  if (auto* b = dynamic_cast<TBitmap*>(Source)) {
    if (b == this) return;
    ReleaseCanvas();
    b->ReleaseCanvas();
    d_->image = b->d_->image.copy();
    format_ = b->format_;
    alphaFormat_ = b->alphaFormat_;
    transparent_ = b->transparent_;
    transparentMode_ = b->transparentMode_;
    transparentColor_ = b->transparentColor_;
    Changed();
    return;
  }
  if (auto* g = dynamic_cast<TGraphic*>(Source)) {
    ReleaseCanvas();
    const QImage* src = g->NativeImage();
    bool alpha = src && src->hasAlphaChannel();
    format_ = alpha ? pf32bit : pf24bit;
    alphaFormat_ = alpha ? afDefined : afIgnored;
    d_->image = src ? src->convertToFormat(FormatFor(format_)) : QImage();
    transparent_ = g->Transparent();
    Changed();
    return;
  }
  TGraphic::Assign(Source);
}

void TBitmap::LoadFromBytes(std::string_view bytes) {
  if (bytes.size() < 30 || bytes[0] != 'B' || bytes[1] != 'M')
    throw EInvalidGraphic(u"Bitmap image is not valid");
  QImage img = ReadWithQt(bytes, "bmp");
  if (img.isNull()) throw EInvalidGraphic(u"Bitmap image is not valid");
  int bpp = static_cast<uint8_t>(bytes[28]) | (static_cast<uint8_t>(bytes[29]) << 8);
  ReleaseCanvas();
  format_ = bpp == 32 ? pf32bit : bpp == 24 ? pf24bit : pfDevice;
  if (format_ == pf32bit && !img.hasAlphaChannel()) {
    // Qt drops the fourth byte of a plain 32-bit bitmap; keep the pixels opaque.
    img = img.convertToFormat(QImage::Format_RGB32);
  }
  d_->image = img.convertToFormat(FormatFor(format_));
  Changed();
}

std::string TBitmap::SaveToBytes() const {
  if (d_->image.isNull()) return {};
  // Byte order of the file: the 14-byte file header, the 40-byte info header, bottom-up rows
  // padded to 4 bytes (24-bit) or 4 bytes per pixel (32-bit, B G R A).
  const bool b32 = format_ == pf32bit;
  const int w = Width(), h = Height();
  const int bpp = b32 ? 32 : 24;
  const int stride = ((w * bpp / 8) + 3) & ~3;
  const uint32_t dataSize = static_cast<uint32_t>(stride) * h;
  std::string out;
  auto u16 = [&](uint32_t v) { out += char(v & 0xFF); out += char((v >> 8) & 0xFF); };
  auto u32 = [&](uint32_t v) { u16(v & 0xFFFF); u16(v >> 16); };
  out += "BM";
  u32(14 + 40 + dataSize);
  u16(0);
  u16(0);
  u32(14 + 40);
  u32(40);
  u32(static_cast<uint32_t>(w));
  u32(static_cast<uint32_t>(h));
  u16(1);
  u16(static_cast<uint32_t>(bpp));
  u32(0);  // BI_RGB
  u32(dataSize);
  u32(3780);  // 96 dpi in pixels per metre
  u32(3780);
  u32(0);
  u32(0);
  QImage src = d_->image.convertToFormat(QImage::Format_ARGB32);
  for (int y = h - 1; y >= 0; --y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
    size_t start = out.size();
    for (int x = 0; x < w; ++x) {
      out += char(qBlue(line[x]));
      out += char(qGreen(line[x]));
      out += char(qRed(line[x]));
      if (b32) out += char(qAlpha(line[x]));
    }
    while (out.size() - start < static_cast<size_t>(stride)) out += '\0';
  }
  return out;
}

namespace {
String ResourceKey(const String& name) {
  String k;
  for (Char ch : name) k += (ch >= u'a' && ch <= u'z') ? Char(ch - 32) : ch;
  return k;
}
std::map<String, TResourcePainter>& Resources() {
  static std::map<String, TResourcePainter> table;
  return table;
}
}  // namespace

void RegisterBitmapResource(const String& name, TResourcePainter painter) {
  Resources()[ResourceKey(name)] = std::move(painter);
}

bool BitmapResourceExists(const String& name) { return Resources().count(ResourceKey(name)) > 0; }

void TBitmap::LoadFromResourceName(const String& name) {
  auto it = Resources().find(ResourceKey(name));
  if (it == Resources().end() || !it->second) throw EResNotFound(u"Resource " + name + u" not found");
  it->second(this);
  Changed();
}

// ---------------------------------------------------------------------------------------------
// Raster graphics

TRasterGraphic::TRasterGraphic() : image_(std::make_unique<QImage>()) {}
TRasterGraphic::~TRasterGraphic() = default;
int TRasterGraphic::Width() const { return image_->width(); }
int TRasterGraphic::Height() const { return image_->height(); }
const QImage* TRasterGraphic::NativeImage() const { return image_.get(); }

void TRasterGraphic::SetImage(const QImage& img) {
  *image_ = img.convertToFormat(img.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  Changed();
}

void TRasterGraphic::AssignBitmap(TBitmap* bmp) {
  if (!bmp) return;
  SetImage(*bmp->MutableImage());
}

void TRasterGraphic::Assign(TPersistent* Source) {
  if (auto* g = dynamic_cast<TGraphic*>(Source)) {
    if (g == this) return;
    if (auto* b = dynamic_cast<TBitmap*>(g)) {
      AssignBitmap(b);
    } else {
      const QImage* img = g->NativeImage();
      SetImage(img ? *img : QImage());
    }
    transparent_ = g->Transparent();
    return;
  }
  TGraphic::Assign(Source);
}

void TPngImage::LoadFromBytes(std::string_view bytes) {
  QImage img = ReadWithQt(bytes, "png");
  if (img.isNull()) throw EInvalidGraphic(u"The PNG image is not valid");
  SetImage(img);
}
std::string TPngImage::SaveToBytes() const { return WriteWithQt(*image_, "png"); }

void TGIFImage::LoadFromBytes(std::string_view bytes) {
  QImage img = ReadWithQt(bytes, "gif");
  if (img.isNull()) throw EInvalidGraphic(u"The GIF image is not valid");
  transparent_ = img.hasAlphaChannel();
  SetImage(img);
}
std::string TGIFImage::SaveToBytes() const {
  // There is no GIF encoder here; writing another format under a GIF name would mislead readers.
  throw EInvalidGraphic(u"Saving GIF images is not supported");
}

void TIcon::LoadFromBytes(std::string_view bytes) {
  QImage img = ReadWithQt(bytes, "ico");
  if (img.isNull()) throw EInvalidGraphic(u"Icon image is not valid");
  SetImage(img);
}
std::string TIcon::SaveToBytes() const { return WriteWithQt(*image_, "ico"); }

// ---------------------------------------------------------------------------------------------
// JPEG through libjpeg-turbo. Its default error handler ends the process; ours jumps back
// instead, so a corrupt file is an error the caller sees.

namespace {
struct JpegError {
  jpeg_error_mgr mgr;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void JpegErrorExit(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<JpegError*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

void JpegSilence(j_common_ptr, int) {}
}  // namespace

bool JpegDecode(std::string_view bytes, TJpegPixels& out, String* error) {
  // Everything the jump may cross is plain data declared before setjmp.
  jpeg_decompress_struct cinfo;
  JpegError jerr;
  std::memset(&cinfo, 0, sizeof cinfo);
  std::vector<uint8_t>* pixels = &out.Rgb;
  cinfo.err = jpeg_std_error(&jerr.mgr);
  jerr.mgr.error_exit = JpegErrorExit;
  jerr.mgr.emit_message = JpegSilence;
  jerr.message[0] = 0;
  if (setjmp(jerr.jump)) {
    jpeg_destroy_decompress(&cinfo);
    if (error) *error = Utf8ToString(jerr.message);
    out.Width = out.Height = 0;
    pixels->clear();
    return false;
  }
  if (bytes.empty()) {
    if (error) *error = u"Empty JPEG data";
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_RGB;
  // A header of a few hundred bytes may announce up to 65500 x 65500 pixels: refuse what would
  // not fit the memory bound before the decoder allocates anything for it, and bound the
  // decoder's own buffers (a progressive picture keeps all its coefficients) the same way.
  jpeg_calc_output_dimensions(&cinfo);
  if (uint64_t{cinfo.output_width} * cinfo.output_height * 4 > kMaxDecodedBytes) {
    jpeg_destroy_decompress(&cinfo);
    if (error) *error = u"JPEG image too large";
    return false;
  }
  cinfo.mem->max_memory_to_use = static_cast<long>(kMaxDecodedBytes);
  jpeg_start_decompress(&cinfo);
  out.Width = static_cast<int>(cinfo.output_width);
  out.Height = static_cast<int>(cinfo.output_height);
  pixels->assign(static_cast<size_t>(out.Width) * out.Height * 3, 0);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = pixels->data() + static_cast<size_t>(cinfo.output_scanline) * out.Width * 3;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

std::string JpegEncode(const TJpegPixels& px, int quality) {
  if (px.Width <= 0 || px.Height <= 0 ||
      px.Rgb.size() < static_cast<size_t>(px.Width) * px.Height * 3)
    throw EInvalidGraphic(u"No picture to compress");
  jpeg_compress_struct cinfo;
  JpegError jerr;
  std::memset(&cinfo, 0, sizeof cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  cinfo.err = jpeg_std_error(&jerr.mgr);
  jerr.mgr.error_exit = JpegErrorExit;
  jerr.mgr.emit_message = JpegSilence;
  jerr.message[0] = 0;
  if (setjmp(jerr.jump)) {
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    throw EInvalidGraphic(Utf8ToString(jerr.message));
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(px.Width);
  cinfo.image_height = static_cast<JDIMENSION>(px.Height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, std::clamp(quality, 1, 100), TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(px.Rgb.data() + static_cast<size_t>(cinfo.next_scanline) * px.Width * 3);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  std::string out(reinterpret_cast<const char*>(buffer), size);
  jpeg_destroy_compress(&cinfo);
  std::free(buffer);
  return out;
}

void TJPEGImage::LoadFromBytes(std::string_view bytes) {
  TJpegPixels px;
  String why;
  if (!JpegDecode(bytes, px, &why)) throw EInvalidGraphic(u"JPEG error: " + why);
  QImage img(px.Width, px.Height, QImage::Format_RGB32);
  for (int y = 0; y < px.Height; ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    const uint8_t* src = px.Rgb.data() + static_cast<size_t>(y) * px.Width * 3;
    for (int x = 0; x < px.Width; ++x) line[x] = qRgb(src[3 * x], src[3 * x + 1], src[3 * x + 2]);
  }
  SetImage(img);
}

std::string TJPEGImage::SaveToBytes() const {
  TJpegPixels px;
  px.Width = image_->width();
  px.Height = image_->height();
  px.Rgb.resize(static_cast<size_t>(px.Width) * px.Height * 3);
  for (int y = 0; y < px.Height; ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(image_->constScanLine(y));
    uint8_t* dst = px.Rgb.data() + static_cast<size_t>(y) * px.Width * 3;
    for (int x = 0; x < px.Width; ++x) {
      dst[3 * x] = static_cast<uint8_t>(qRed(line[x]));
      dst[3 * x + 1] = static_cast<uint8_t>(qGreen(line[x]));
      dst[3 * x + 2] = static_cast<uint8_t>(qBlue(line[x]));
    }
  }
  return JpegEncode(px, quality_);
}

// ---------------------------------------------------------------------------------------------
// TPicture

std::unique_ptr<TGraphic> CreateGraphicFor(std::string_view b) {
  auto starts = [&](std::string_view sig) { return b.size() >= sig.size() && b.substr(0, sig.size()) == sig; };
  if (starts("BM")) return std::make_unique<TBitmap>();
  if (starts("\x89PNG\r\n\x1a\n")) return std::make_unique<TPngImage>();
  if (starts("GIF87a") || starts("GIF89a")) return std::make_unique<TGIFImage>();
  if (starts("\xFF\xD8\xFF")) return std::make_unique<TJPEGImage>();
  if (starts(std::string_view("\0\0\1\0", 4))) return std::make_unique<TIcon>();
  return nullptr;
}

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

namespace {
std::unique_ptr<TGraphic> CloneGraphic(TGraphic* g) {
  if (!g) return nullptr;
  std::unique_ptr<TGraphic> copy;
  if (dynamic_cast<TBitmap*>(g)) copy = std::make_unique<TBitmap>();
  else if (dynamic_cast<TPngImage*>(g)) copy = std::make_unique<TPngImage>();
  else if (dynamic_cast<TGIFImage*>(g)) copy = std::make_unique<TGIFImage>();
  else if (dynamic_cast<TJPEGImage*>(g)) copy = std::make_unique<TJPEGImage>();
  else if (dynamic_cast<TIcon*>(g)) copy = std::make_unique<TIcon>();
  else return nullptr;
  copy->Assign(g);
  return copy;
}
}  // namespace

void TPicture::SetGraphic(TGraphic* g) {
  graphic_ = CloneGraphic(g);
  bitmapView_.reset();
  if (OnChange) OnChange(this);
}

void TPicture::Assign(TPersistent* Source) {
  if (!Source) {
    SetGraphic(nullptr);
    return;
  }
  if (auto* p = dynamic_cast<TPicture*>(Source)) {
    SetGraphic(p->Graphic());
    return;
  }
  if (auto* g = dynamic_cast<TGraphic*>(Source)) {
    SetGraphic(g);
    return;
  }
  TPersistent::Assign(Source);
}

TBitmap* TPicture::Bitmap() {
  if (auto* b = dynamic_cast<TBitmap*>(graphic_.get())) return b;
  if (!bitmapView_) bitmapView_ = std::make_unique<TBitmap>();
  if (graphic_) bitmapView_->Assign(graphic_.get());
  return bitmapView_.get();
}

int TPicture::Width() const { return graphic_ ? graphic_->Width() : 0; }
int TPicture::Height() const { return graphic_ ? graphic_->Height() : 0; }

void TPicture::LoadFromBytes(std::string_view bytes) {
  std::unique_ptr<TGraphic> g = CreateGraphicFor(bytes);
  if (!g) throw EInvalidGraphic(u"Unsupported picture format");
  g->LoadFromBytes(bytes);
  graphic_ = std::move(g);
  bitmapView_.reset();
  if (OnChange) OnChange(this);
}

void TPicture::LoadFromFile(const String& path) { LoadFromBytes(ReadAll(path)); }

void TPicture::LoadFromStream(TStream* stream) {
  if (!stream) return;
  int64_t left = stream->Size() - stream->Position();
  std::string bytes(static_cast<size_t>(std::max<int64_t>(0, left)), '\0');
  if (!bytes.empty()) stream->ReadBuffer(bytes.data(), static_cast<int>(bytes.size()));
  LoadFromBytes(bytes);
}

void TPicture::SaveToFile(const String& path) {
  if (graphic_) graphic_->SaveToFile(path);
}

// ---------------------------------------------------------------------------------------------
// TImageList

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}
TImageList::~TImageList() = default;

void TImageList::SetWidth(int w) {
  if (w == width_) return;
  width_ = std::max(1, w);
  images_.clear();  // changing the size empties the list, as it does in the class library
}

void TImageList::SetHeight(int h) {
  if (h == height_) return;
  height_ = std::max(1, h);
  images_.clear();
}

namespace {
QImage Cell(const QImage& strip, int x, int w, int h) {
  QImage cell(w, h, QImage::Format_ARGB32);
  cell.fill(Qt::transparent);
  QPainter p(&cell);
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.drawImage(0, 0, strip, x, 0, w, h);
  return cell;
}
}  // namespace

int TImageList::Add(TBitmap* image, TBitmap* mask) {
  if (!image || image->Empty()) return -1;
  QImage src = image->MutableImage()->convertToFormat(QImage::Format_ARGB32);
  if (!(image->PixelFormat() == pf32bit && image->AlphaFormat() != afIgnored)) {
    for (int y = 0; y < src.height(); ++y) {
      QRgb* line = reinterpret_cast<QRgb*>(src.scanLine(y));
      for (int x = 0; x < src.width(); ++x) line[x] |= 0xFF000000u;
    }
  }
  if (mask && !mask->Empty()) {
    const QImage* m = mask->NativeImage();
    for (int y = 0; y < std::min(src.height(), m->height()); ++y)
      for (int x = 0; x < std::min(src.width(), m->width()); ++x)
        if ((m->pixel(x, y) & 0xFFFFFF) == 0xFFFFFF) src.setPixel(x, y, 0);
  }
  int first = Count();
  int n = std::max(1, src.width() / width_);
  for (int i = 0; i < n; ++i) images_.push_back(std::make_unique<QImage>(Cell(src, i * width_, width_, height_)));
  return first;
}

int TImageList::AddMasked(TBitmap* image, TColor maskColor) {
  if (!image || image->Empty()) return -1;
  TBitmap mask;
  mask.SetPixelFormat(pf24bit);
  mask.SetSize(image->Width(), image->Height());
  const QImage* src = image->MutableImage();
  QRgb key = ToQColor(maskColor).rgb() & 0xFFFFFF;
  QImage* m = mask.MutableImage();
  for (int y = 0; y < src->height(); ++y)
    for (int x = 0; x < src->width(); ++x)
      m->setPixel(x, y, (src->pixel(x, y) & 0xFFFFFF) == key ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
  return Add(image, &mask);
}

void TImageList::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  images_.erase(images_.begin() + index);
}

void TImageList::Clear() { images_.clear(); }

bool TImageList::GetBitmap(int index, TBitmap* out) {
  if (!out || index < 0 || index >= Count()) return false;
  out->SetPixelFormat(pf32bit);
  out->SetAlphaFormat(afDefined);
  out->SetSize(width_, height_);
  *out->MutableImage() = images_[index]->copy();
  return true;
}

void TImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) {
  if (!canvas || index < 0 || index >= Count()) return;
  TBitmap bmp;
  GetBitmap(index, &bmp);
  if (!enabled) {
    // Grey from the luminance, halfway towards the button face.
    QImage* img = bmp.MutableImage();
    QColor face = ToQColor(clBtnFace);
    for (int yy = 0; yy < img->height(); ++yy) {
      QRgb* line = reinterpret_cast<QRgb*>(img->scanLine(yy));
      for (int xx = 0; xx < img->width(); ++xx) {
        QRgb v = line[xx];
        int lum = (qRed(v) * 30 + qGreen(v) * 59 + qBlue(v) * 11) / 100;
        int r = (lum + face.red()) / 2, g = (lum + face.green()) / 2, b = (lum + face.blue()) / 2;
        line[xx] = qRgba(r, g, b, qAlpha(v));
      }
    }
  }
  canvas->Draw(x, y, &bmp);
}
