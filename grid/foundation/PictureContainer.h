#pragma once
// Pictures named by mini-HTML IMG and BODY BACKGROUND tags: a picture that keeps its file bytes
// (animated GIFs are stepped by decoding frame n directly), a cache of pictures loaded by URL and
// a component of named pictures.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Classes.h"
#include "platform/Graphics.h"
#include "platform/SysUtils.h"
#include "platform/UString.h"

class THTMLPicture : public TGraphic {
 public:
  THTMLPicture();
  ~THTMLPicture() override;
  String ClassName() const override { return u"THTMLPicture"; }

  void Assign(TPersistent* Source) override;
  // Stretch or natural size at the rectangle's top-left; nothing without a decoded picture.
  void Draw(TCanvas* Canvas, const TRect& Rect);
  bool Empty() const override { return FIsEmpty; }
  int Width() const override;
  int Height() const override;
  const QImage* NativeImage() const override;
  // The size comes from the picture's data; setting it does nothing.
  void SetWidth(int Value);
  void SetHeight(int Value);
  // No clipboard formats are handled: loading changes nothing and saving leaves the format, data
  // and palette arguments as they were.
  void LoadFromClipboardFormat(uint16_t AFormat, uintptr_t AData, uintptr_t APalette);
  void SaveToClipboardFormat(uint16_t& AFormat, uintptr_t& AData, uintptr_t& APalette) const;

  // Failures (file or decoding) leave the picture empty and are not reported.
  void LoadFromFile(const String& FileName) override;
  // A decoding failure raises Exception; the picture then holds the data but draws nothing.
  void LoadFromBytes(std::string_view Bytes) override;
  std::string SaveToBytes() const override { return FDatastream; }
  // Both take the whole stream from its first byte; ReadData (the stored form) raises no OnChange.
  void LoadFromStream(TStream* Stream);
  void ReadData(TStream* Stream);
  void WriteData(TStream* Stream) const;
  void SaveToStream(TStream* Stream) const;
  // Program resources registered under a name (RegisterHTMLResource); missing: nothing happens.
  void LoadFromResourceName(const String& Name);
  // The resource registered as "#<ID>"; a missing one raises EResNotFound.
  void LoadFromResourceID(int ID);
  // res:// and file:// load; other schemes are only recorded (nothing is downloaded).
  void LoadFromURL(const String& URL);

  bool Stretch() const { return FStretched; }
  void SetStretch(bool v) { FStretched = v; }
  int Frame() const { return FFrame; }
  void SetFrame(int Frame);
  bool Busy() const { return FThreadBusy; }
  bool Asynch() const { return FAsynch; }
  void SetAsynch(bool v) { FAsynch = v; }
  const String& ID() const { return FID; }
  void SetID(const String& v) { FID = v; }
  const String& URL() const { return FURL; }
  bool IsDB() const { return FIsDB; }
  void SetIsDB(bool v) { FIsDB = v; }
  bool IsGIF() const;
  int FrameCount();
  int GetFrameTime(int Frame) const;
  void FrameNext();
  void FramePrev();
  bool Step();
  int MaxWidth() const;
  int MaxHeight() const;
  int FrameXPos() const { return FFrameXPos; }
  int FrameYPos() const { return FFrameYPos; }
  int FrameXSize() const { return FFrameXSize; }
  int FrameYSize() const { return FFrameYSize; }
  bool Decoded() const { return gpPicture != nullptr; }

  TNotifyEvent OnFrameChange;
  // Nothing is downloaded, so these are never fired.
  TNotifyEvent OnDownLoadProgress, OnDownLoadCancel, OnDownLoadComplete, OnDownLoadError;

 private:
  void Clear();
  void Decode();
  void CropToFrame(TGraphic& Decoded) const;
  // Offsets of the frame starts (graphic control extension directly followed by an image
  // descriptor) whose whole header lies inside the data.
  std::vector<size_t> FrameStarts() const;

  std::string FDatastream;
  bool FIsEmpty = true;
  bool FStretched = false;
  std::unique_ptr<TGraphic> gpPicture;
  String FURL;
  String FID;
  bool FIsDB = false;
  bool FAsynch = true;
  bool FThreadBusy = false;
  int FFrame = 1;
  int FFrameCount = -1;
  uint16_t FFrameXPos = 0, FFrameYPos = 0, FFrameXSize = 0, FFrameYSize = 0;
  uint16_t FAnimMaxX = 0, FAnimMaxY = 0;
  int FNextCount = -1;
  int FTimerCount = -1;
};

// Raw bytes of a program resource for res:// pictures.
void RegisterHTMLResource(const String& Name, std::string Bytes);

class THTMLPictureCache : public TObject {
 public:
  ~THTMLPictureCache() override;
  THTMLPicture* AddPicture();
  // Exact case.
  THTMLPicture* FindPicture(const String& ID) const;
  void ClearPictures();
  int Count() const { return static_cast<int>(FItems.size()); }
  THTMLPicture* Items(int Index) const;
  void SetItems(int Index, THTMLPicture* Picture);  // takes ownership
  bool Animate();

 private:
  std::vector<std::unique_ptr<THTMLPicture>> FItems;
};

class TPictureCollection;

class TPictureItem : public TCollectionItem {
 public:
  explicit TPictureItem(TCollection* ACollection);
  ~TPictureItem() override;
  String ClassName() const override { return u"TPictureItem"; }
  void Assign(TPersistent* Source) override;
  THTMLPicture* Picture() const { return FPicture.get(); }
  void SetPicture(THTMLPicture* Value);
  const String& Name() const { return FName; }
  void SetName(const String& v) { FName = v; }
  int Tag() const { return FTag; }
  void SetTag(int v) { FTag = v; }

 private:
  std::unique_ptr<THTMLPicture> FPicture;
  int FTag = 0;
  String FName;
};

class TPictureCollection : public TCollection {
 public:
  explicit TPictureCollection(TComponent* AOwner);
  String ClassName() const override { return u"TPictureCollection"; }
  TPictureItem* Add();
  TPictureItem* Insert(int Index);
  TPictureItem* Items(int Index) const;
  TComponent* Owner() const { return FOwner; }
  bool Animate();

 protected:
  TPersistent* GetOwner() override { return FOwner; }

 private:
  TComponent* FOwner = nullptr;
};

class TPictureContainer : public TComponent {
 public:
  explicit TPictureContainer(TComponent* AOwner);
  ~TPictureContainer() override;
  String ClassName() const override { return u"TPictureContainer"; }
  // Names compared with ASCII upper-casing.
  virtual THTMLPicture* FindPicture(const String& Name);
  TPictureCollection* Items() const { return FItems; }
  // Replaces the reference only; the container keeps freeing the collection it created.
  void SetItems(TPictureCollection* Value) { FItems = Value; }

 private:
  std::unique_ptr<TPictureCollection> FOwnItems;
  TPictureCollection* FItems = nullptr;
};
