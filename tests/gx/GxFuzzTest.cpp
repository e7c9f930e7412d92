// Argument fuzzing of the graphics layer. A table of named operations, one per public wrapper
// operation, each drawing its arguments from one seeded source: zero, negative, huge, NaN and
// infinite numbers, mismatched counts, null pointers, empty and deleted wrappers, an object
// given as its own argument, garbage and truncated image bytes. The operations run in random
// order against a small pool of live objects of every kind, so that sequences (create, delete,
// reuse, clone into itself) are explored too. After every operation: no crash, no exception,
// and LastStatus is a status GDI+ can return. A crash or a hang names the seed and the operation.
//
// Default: a fixed seed, 3000 calls. On demand:
//   SCREENCUT_FUZZ_CLOCK=1      a seed from the clock besides
//   SCREENCUT_FUZZ_SEED=N       run seed N only (the seed a failure printed)
//   SCREENCUT_FUZZ_CALLS=N      calls per seed      SCREENCUT_FUZZ_SEEDS=N  seeds after the first
//   SCREENCUT_FUZZ_TRACE=1      print every operation before it runs
//   SCREENCUT_FUZZ_OPS=A,B      only the operations whose names begin with A or B (GxRegion,GxPath)

#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstring>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "gx/GdiOwners.h"
#include "gx/GuidText.h"
#include "gx/GxArgumentGuards.h"
#include "gx/GxBitmap.h"
#include "gx/GxEffect.h"
#include "gx/GxFont.h"
#include "gx/GxFontCollection.h"
#include "gx/GxFontFamily.h"
#include "gx/GxGraphics.h"
#include "gx/GxImage.h"
#include "gx/GxImageAttributes.h"
#include "gx/GxMemoryStream.h"
#include "gx/GxPath.h"
#include "gx/GxPen.h"
#include "gx/GxRegion.h"
#include "gx/GxSolidBrush.h"
#include "gx/GxStringFormat.h"
#include "gx/GxText.h"
#include "gx/ImageEncoders.h"
#include "support/ResourceCounters.h"

using namespace Gdiplus;

namespace {

// ---- where the run is, for reports written from a crash handler or the watchdog ----

struct Progress {
  std::atomic<std::uint32_t> seed{0};
  std::atomic<long> call{0};
  std::atomic<const char*> op{nullptr};
  std::atomic<long long> startedMs{0};
  std::atomic<bool> running{false};
};
Progress progress;

long long NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void ReportWhere(const char* what) {
  const char* op = progress.op.load();
  std::fprintf(stderr, "GxFuzz: %s in operation %s (call %ld, seed %u; rerun with SCREENCUT_FUZZ_SEED=%u)\n", what,
               op ? op : "(none)", progress.call.load(), progress.seed.load(), progress.seed.load());
  std::fflush(stderr);
}

LONG WINAPI ReportCrash(EXCEPTION_POINTERS* info) {
  char what[64];
  std::snprintf(what, sizeof what, "crash (exception %08lx)", info->ExceptionRecord->ExceptionCode);
  ReportWhere(what);
  TerminateProcess(GetCurrentProcess(), 3);  // no debugger to wait for under Wine
  return EXCEPTION_CONTINUE_SEARCH;
}

// One operation running for longer than this is a hang.
constexpr long long kHangMs = 30000;

class Watchdog {
 public:
  Watchdog() : thread_([this] { Watch(); }) {}
  ~Watchdog() {
    stop_ = true;
    thread_.join();
  }

 private:
  void Watch() {
    while (!stop_) {
      Sleep(100);
      if (progress.running && NowMs() - progress.startedMs > kHangMs) {
        ReportWhere("hang");
        TerminateProcess(GetCurrentProcess(), 3);
      }
    }
  }
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// ---- the random source ----

class Source {
 public:
  explicit Source(std::uint32_t seed) : gen_(seed) {}
  std::uint32_t Bits() { return gen_(); }
  int Below(int n) { return n <= 0 ? 0 : static_cast<int>(gen_() % static_cast<std::uint32_t>(n)); }
  bool Chance(int percent) { return Below(100) < percent; }
  int Between(int lo, int hi) { return lo + Below(hi - lo + 1); }

  int Int() {
    static const int hostile[] = {0, -1, 1, 2, INT_MAX, INT_MIN, INT_MAX - 1, 65535, 65536, 1 << 30, -(1 << 30),
                                  46341, 32767, -32768, 255, 256};
    if (Chance(55)) return Between(-20, 300);
    if (Chance(70)) return hostile[Below(sizeof hostile / sizeof *hostile)];
    return static_cast<int>(Bits());
  }
  float Real() {
    static const float hostile[] = {0.0f, -0.0f, 1.0f, -1.0f, 1e30f, -1e30f, std::nanf(""),
                                    std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
                                    FLT_MAX, -FLT_MAX, FLT_MIN, 1e-40f, 1e-30f, 360.0f, 720.0f, -360.0f, 2147483648.0f,
                                    1e9f, 0.5f};
    if (Chance(55)) return static_cast<float>(Between(-4000, 40000)) / 100.0f;
    return hostile[Below(sizeof hostile / sizeof *hostile)];
  }
  // A scale factor: mostly modest, sometimes one GDI+ must refuse. Scales that GDI+ takes but
  // that multiply into device coordinates of millions make Wine flatten a curve for minutes
  // (open, see the report), so they are not drawn.
  float Scale() {
    static const float hostile[] = {0.0f, -1.0f, std::nanf(""), std::numeric_limits<float>::infinity(), 1e30f, -2.0f};
    if (Chance(80)) return static_cast<float>(Between(1, 200)) / 100.0f;
    return hostile[Below(sizeof hostile / sizeof *hostile)];
  }
  // A width or height: mostly small, sometimes zero, negative or far too large.
  int Dim() {
    static const int hostile[] = {0, -1, INT_MIN, INT_MAX, 1 << 16, 1 << 20, 1 << 30, 46341, 32768, 65535, -65536};
    if (Chance(75)) return Between(1, 64);
    if (Chance(20)) return Between(65, 600);
    return hostile[Below(sizeof hostile / sizeof *hostile)];
  }
  std::uint32_t Argb() { return Chance(50) ? Bits() : (Chance(50) ? 0xFF000000u | Bits() : 0u); }
  template <typename E>
  E Enum(int validCount) {
    if (Chance(85)) return static_cast<E>(Below(validCount));
    static const int hostile[] = {-1, -100, 1000, INT_MAX, INT_MIN};
    return static_cast<E>(Chance(50) ? validCount + Below(3) : hostile[Below(5)]);
  }

  std::string Utf8() {
    static const char* const texts[] = {"", "a", "Hello, world", "\xE5\xBE\xAE\xE8\xBD\xAF\xE9\x9B\x85\xE9\xBB\x91",
                                        "256 \xC3\x97 120", "\xFF\xFE\xC0 bad", "tab\there\nline", "&&&"};
    switch (Below(4)) {
      case 0: return std::string(texts[Below(sizeof texts / sizeof *texts)]);
      case 1: return std::string("with\0nul", 8);
      case 2: return std::string(static_cast<std::size_t>(Between(100, 2000)), static_cast<char>(Between(32, 126)));
      default: {
        std::string text(static_cast<std::size_t>(Below(40)), ' ');
        for (char& c : text) c = static_cast<char>(Bits());
        return text;
      }
    }
  }
  std::wstring Wide() {
    switch (Below(4)) {
      case 0: return Utf8ToWide(Utf8());
      case 1: return std::wstring(L"lone \xD800 surrogate \xDFFF");
      case 2: return std::wstring(L"nul\0inside", 10);
      default: {
        std::wstring text(static_cast<std::size_t>(Below(40)), L' ');
        for (wchar_t& c : text) c = static_cast<wchar_t>(Bits());
        return text;
      }
    }
  }

  int Count() {
    static const int counts[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 13, 64};
    return counts[Below(sizeof counts / sizeof *counts)];
  }
  std::vector<GxPointF> Points() {
    std::vector<GxPointF> points(static_cast<std::size_t>(Count()));
    for (auto& p : points) p = {Real(), Real()};
    return points;
  }
  std::vector<GxPoint> PointsI() {
    std::vector<GxPoint> points(static_cast<std::size_t>(Count()));
    for (auto& p : points) p = {Int(), Int()};
    return points;
  }
  GxRectF RectF() { return {Real(), Real(), Real(), Real()}; }
  GxRect RectI() { return {Int(), Int(), Int(), Int()}; }
  std::vector<GxRectF> RectsF() {
    std::vector<GxRectF> rects(static_cast<std::size_t>(Count()));
    for (auto& r : rects) r = RectF();
    return rects;
  }
  std::vector<GxRect> RectsI() {
    std::vector<GxRect> rects(static_cast<std::size_t>(Count()));
    for (auto& r : rects) r = RectI();
    return rects;
  }
  std::vector<float> Floats() {
    std::vector<float> values(static_cast<std::size_t>(Count()));
    for (float& v : values) v = Chance(70) ? static_cast<float>(Below(100)) / 100.0f : Real();
    return values;
  }

 private:
  std::mt19937 gen_;
};

// A real allocation this large would only test the machine, not the wrappers: sizes whose bytes
// lie between it and what a 32-bit size can express are replaced by small ones. Larger sizes are
// kept, and must be refused.
constexpr long long kMaxBytes = 8ll << 20;
void CapSize(Source& rng, int& width, int& height, int bytesPerPixel = 32) {
  const long long bytes = static_cast<long long>(width) * height * bytesPerPixel;
  if (width > 0 && height > 0 && bytes > kMaxBytes && bytes <= INT_MAX) {
    width = rng.Between(1, 64);
    height = rng.Between(1, 64);
  }
}
void CapSize(Source& rng, float& width, float& height) {
  const double bytes = static_cast<double>(width) * height * 4;
  if (width > 0 && height > 0 && bytes > kMaxBytes && bytes <= INT_MAX) {
    width = static_cast<float>(rng.Between(1, 64));
    height = static_cast<float>(rng.Between(1, 64));
  }
}
std::uint32_t CapBytes(Source& rng, std::uint32_t size) {
  return size > kMaxBytes ? static_cast<std::uint32_t>(rng.Below(4096)) : size;
}

// ---- native objects the layer takes through GxObject, with owners of their own ----

class FuzzMatrix : public GxObject {
 public:
  ~FuzzMatrix() override { Delete(); }
  void Create() {
    Delete();
    GpMatrix* matrix = nullptr;
    Gdip<GDIP(GdipCreateMatrix)>(&matrix);
    SetNativeHandle(matrix);
  }
  void Delete() {
    if (GetNativeHandle()) Gdip<GDIP(GdipDeleteMatrix)>(static_cast<GpMatrix*>(GetNativeHandle()));
    SetNativeHandle(nullptr);
  }
  void Turn(float angle) {  // a finite angle: what a matrix holds is the caller's to keep sane
    if (GetNativeHandle() && std::isfinite(angle)) Gdip<GDIP(GdipRotateMatrix)>(static_cast<GpMatrix*>(GetNativeHandle()), angle,
                                                        MatrixOrderAppend);
  }
};

class FuzzCap : public GxObject {
 public:
  ~FuzzCap() override { Delete(); }
  void Create(const GxPath& stroke, LineCap base, float inset) {
    Delete();
    GpCustomLineCap* cap = nullptr;
    Gdip<GDIP(GdipCreateCustomLineCap)>(nullptr, static_cast<GpPath*>(stroke.GetNativeHandle()), base, inset, &cap);
    SetNativeHandle(cap);
  }
  void Delete() {
    if (GetNativeHandle()) Gdip<GDIP(GdipDeleteCustomLineCap)>(static_cast<GpCustomLineCap*>(GetNativeHandle()));
    SetNativeHandle(nullptr);
  }
};

constexpr int kSlots = 3;
template <typename T>
using Slots = std::array<T, kSlots>;

struct IconOwner {
  HICON icon = nullptr;
  ~IconOwner() { reset(); }
  void reset(HICON next = nullptr) {
    if (icon) DestroyIcon(icon);
    icon = next;
  }
};

const char* const kFormats[] = {"{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}", "{B96B3CAB-0728-11D3-9D7B-0000F81EF32E}",
                                "{B96B3CAE-0728-11D3-9D7B-0000F81EF32E}", "{B96B3CB0-0728-11D3-9D7B-0000F81EF32E}",
                                "{B96B3CB1-0728-11D3-9D7B-0000F81EF32E}", "{b96b3caf-0728-11d3-9d7b-0000f81ef32e}",
                                "", "not a guid", "{00000000-0000-0000-0000-000000000000}"};
const char* const kDimensions[] = {"{6AEDBD6D-3FB5-418A-83A6-7F45229DC872}", "{7462DC86-6180-4C7E-8E3F-EE7333A7A483}",
                                   "{84236F7B-3BD3-428F-8DAB-4EA1439CA315}", "", "junk"};
const char* const kEncoderParams[] = {"{1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}", "{292266FC-AC40-47BF-8CFC-A85B89A655DE}",
                                      "{8D0EB2D1-A58E-4EA8-AA14-108074B7B6F9}", "{E09D739D-CCD4-44EE-8EBA-3FBF8BE4FC58}",
                                      "junk"};

// The pool of live objects and the arguments drawn for the operations.
struct Fuzz {
  explicit Fuzz(std::uint32_t seed);
  ~Fuzz();

  Source rng;
  Slots<GxGraphics> graphics;
  std::array<const GxImage*, kSlots> drawsOn{};  // the image a graphics was made on
  Slots<GxPen> pens;
  Slots<GxSolidBrush> brushes;
  Slots<GxFont> fonts;
  Slots<GxFontFamily> families;
  Slots<GxFontCollection> collections;
  Slots<GxStringFormat> formats;
  Slots<GxBitmap> bitmaps;
  Slots<BitmapData> locks{};  // the last lock record of each bitmap
  Slots<GxImage> images;
  Slots<GxImageAttributes> attributes;
  Slots<GxPath> paths;
  Slots<GxRegion> regions;
  Slots<FuzzMatrix> matrices;
  Slots<FuzzCap> caps;
  Slots<GxMemoryStream> streams;
  GxEffect effect;
  GxObject empty;  // a wrapper that never held anything
  std::vector<std::unique_ptr<GxRegion>> measured;
  std::vector<GraphicsState> states;
  GdiObject<HRGN> hrgn;
  GdiObject<HBITMAP> hbitmap;
  IconOwner icon;
  ScreenDC screen;
  GdiObject<HBITMAP> dcBitmap;  // goes after the DC it is selected into
  MemoryDC dc{nullptr};
  std::vector<Bytes> samples;
  std::wstring folder;

  template <typename T>
  int Slot(const Slots<T>&) { return rng.Below(kSlots); }
  template <typename T>
  T& Pick(Slots<T>& slots) { return slots[rng.Below(kSlots)]; }
  GxImage& AnyImage() {
    return rng.Chance(65) ? static_cast<GxImage&>(Pick(bitmaps)) : Pick(images);
  }
  const GxObject& Matrix() { return rng.Chance(80) ? static_cast<const GxObject&>(Pick(matrices)) : empty; }
  const GxObject* MatrixOrNull() { return rng.Chance(25) ? nullptr : &Matrix(); }
  const GxGraphics* GraphicsOrNull() { return rng.Chance(30) ? nullptr : &Pick(graphics); }
  const GxStringFormat* FormatOrNull() { return rng.Chance(30) ? nullptr : &Pick(formats); }
  const GxImageAttributes* AttributesOrNull() { return rng.Chance(40) ? nullptr : &Pick(attributes); }
  const GxFontCollection* CollectionOrNull() { return rng.Chance(40) ? nullptr : &Pick(collections); }

  // GDI+ requires a graphics to go before the image it draws on: an operation that frees or
  // replaces an image's pixels deletes the graphics made on it first.
  void Releasing(const GxImage& image) {
    for (int i = 0; i < kSlots; ++i)
      if (drawsOn[i] == &image) {
        graphics[i].Delete();
        drawsOn[i] = nullptr;
      }
  }
  GxImage& ImageToChange() {
    GxImage& image = AnyImage();
    Releasing(image);
    return image;
  }
  GxBitmap& BitmapToChange(int slot) {
    Releasing(bitmaps[slot]);
    locks[slot] = BitmapData{};
    return bitmaps[slot];
  }

  HDC Dc() {
    switch (rng.Below(5)) {
      case 0: return nullptr;
      case 1: return reinterpret_cast<HDC>(static_cast<UINT_PTR>(0x1234 + rng.Below(64) * 4));
      case 2: return screen.get();
      case 3: return Pick(graphics).GetSurfaceDC();
      default: return dc.get();
    }
  }
  // A blit source: the screen is left out, since under Wine a blit from it larger than the X
  // server can hold ends the process (reported; the blits live outside this layer).
  HDC BlitSource() {
    HDC source = Dc();
    return source == screen.get() ? dc.get() : source;
  }
  std::wstring FileName() {
    static const wchar_t* const names[] = {L"a.png", L"b.bmp", L"c.jpg", L"d.gif", L"in.bin", L"missing\\x.png", L"",
                                           L"..", L"a?*:|.png"};
    const std::wstring name = names[rng.Below(sizeof names / sizeof *names)];
    if (rng.Chance(5)) return std::wstring();
    if (rng.Chance(5)) return folder;  // a folder, not a file
    return folder + L"\\" + name;
  }
  std::string Format() { return kFormats[rng.Below(sizeof kFormats / sizeof *kFormats)]; }
  std::string Dimension() { return kDimensions[rng.Below(sizeof kDimensions / sizeof *kDimensions)]; }

  // Image bytes: intact, truncated, damaged, claiming huge sizes, or no image at all.
  Bytes ImageBytes() {
    if (samples.empty() || rng.Chance(10)) {
      Bytes junk(static_cast<std::size_t>(rng.Below(64)));
      for (auto& b : junk) b = static_cast<std::uint8_t>(rng.Bits());
      return junk;
    }
    Bytes bytes = samples[static_cast<std::size_t>(rng.Below(static_cast<int>(samples.size())))];
    switch (rng.Below(5)) {
      case 0: break;
      case 1: bytes.resize(static_cast<std::size_t>(rng.Below(static_cast<int>(bytes.size()) + 1))); break;
      case 2:
        for (int i = rng.Between(1, 8); i > 0 && !bytes.empty(); --i)
          bytes[static_cast<std::size_t>(rng.Below(static_cast<int>(bytes.size())))] = static_cast<std::uint8_t>(rng.Bits());
        break;
      case 3: ClaimHugeSize(bytes); break;
      default: bytes.clear();
    }
    return bytes;
  }
  void ClaimHugeSize(Bytes& bytes) {
    auto put32 = [&](std::size_t at, std::uint32_t value) {
      if (bytes.size() >= at + 4) std::memcpy(&bytes[at], &value, 4);
    };
    static const std::uint32_t sizes[] = {0x7FFFFFFF, 0xFFFFFFFF, 65535, 100000, 0x40000000};
    const std::uint32_t w = sizes[rng.Below(5)], h = sizes[rng.Below(5)];
    if (bytes.size() > 2 && bytes[0] == 'B' && bytes[1] == 'M') {
      put32(18, w);
      put32(22, h);
    } else if (bytes.size() > 10 && bytes[0] == 'G') {
      bytes[6] = bytes[7] = bytes[8] = bytes[9] = 0xFF;
    } else if (bytes.size() > 24 && bytes[1] == 'P') {
      put32(16, _byteswap_ulong(w));
      put32(20, _byteswap_ulong(h));
    }
  }
  std::vector<EncoderParam> Params() {
    std::vector<EncoderParam> params(static_cast<std::size_t>(rng.Below(3)));
    for (auto& p : params) {
      p.guid = kEncoderParams[rng.Below(sizeof kEncoderParams / sizeof *kEncoderParams)];
      p.valueType = rng.Chance(80) ? rng.Between(1, 8) : rng.Int();
      p.valueCount = rng.Chance(80) ? rng.Between(0, 4) : (rng.Chance(50) ? -1 : rng.Int());
      if (static_cast<long long>(p.valueCount) * 16 > kMaxBytes) p.valueCount = 1;
      p.values.assign(static_cast<std::size_t>(rng.Below(20)), static_cast<std::uint8_t>(rng.Bits()));
    }
    return params;
  }
  GxPalette Palette() {
    GxPalette palette;
    palette.flags = rng.Chance(70) ? static_cast<std::uint32_t>(rng.Below(8)) : rng.Bits();
    palette.entries.resize(static_cast<std::size_t>(rng.Chance(80) ? rng.Below(17) : rng.Below(600)));
    for (auto& e : palette.entries) e = rng.Argb();
    return palette;
  }
  int PixelFormat() {
    static const int formats[] = {PixelFormat32bppARGB, PixelFormat32bppPARGB, PixelFormat32bppRGB, PixelFormat24bppRGB,
                                  PixelFormat16bppRGB565, PixelFormat16bppRGB555, PixelFormat16bppARGB1555,
                                  PixelFormat16bppGrayScale, PixelFormat8bppIndexed, PixelFormat4bppIndexed,
                                  PixelFormat1bppIndexed, PixelFormat48bppRGB, PixelFormat64bppARGB,
                                  PixelFormat64bppPARGB, 0, -1};
    if (rng.Chance(90)) return formats[rng.Below(sizeof formats / sizeof *formats)];
    return static_cast<int>(rng.Bits());
  }
  // Keeps paths and regions of a size that tests the wrappers rather than the machine: adding a
  // path to itself doubles it, and so does combining a region with itself.
  void Trim() {
    for (auto& path : paths)
      if (path.GetPointCount() > 512) path.Reset();
    for (auto& region : regions)
      if (region.GetDataSize() > 16384) region.MakeInfinite();
  }
};

Fuzz::Fuzz(std::uint32_t seed) : rng(seed) {
  dcBitmap.reset(CreateCompatibleBitmap(screen.get(), 16, 16));
  SelectObject(dc.get(), dcBitmap.get());
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  folder = std::wstring(temp) + L"screencut-gxfuzz-" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(folder.c_str(), nullptr);

  // Intact images of every format this GDI+ encodes, and an enhanced metafile.
  GxBitmap picture;
  picture.Create(6, 5);
  for (int i = 0; i < 30; ++i) picture.SetPixel(i % 6, i / 6, 0xFF000000u | (i * 0x0A0B0Cu));
  for (const char* format : kFormats) {
    std::string text = format;
    Bytes bytes = picture.SaveToBytes(text, true);
    if (!bytes.empty()) samples.push_back(std::move(bytes));
  }
  HDC meta = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  Rectangle(meta, 1, 1, 40, 30);
  HENHMETAFILE emf = CloseEnhMetaFile(meta);
  const UINT size = GetEnhMetaFileBits(emf, 0, nullptr);
  Bytes emfBytes(size);
  GetEnhMetaFileBits(emf, size, emfBytes.data());
  DeleteEnhMetaFile(emf);
  samples.push_back(std::move(emfBytes));
}

Fuzz::~Fuzz() {
  for (auto& g : graphics) g.Delete();  // before the images they draw on
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do DeleteFileW((folder + L"\\" + found.cFileName).c_str());
    while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

BOOL CALLBACK CountRecord(EmfPlusRecordType, unsigned int, unsigned int, const unsigned char*, void* data) {
  if (data) ++*static_cast<int*>(data);
  return TRUE;
}

struct Operation {
  const char* name;
  std::function<void(Fuzz&)> run;
};

#define OP(name, ...) Operation{name, [](Fuzz & f) { __VA_ARGS__; }}

// Shorthands for the operations below.
#define R f.rng.Real()
#define I f.rng.Int()
#define G f.Pick(f.graphics)
#define PEN f.Pick(f.pens)
#define BRUSH f.Pick(f.brushes)
#define FONT f.Pick(f.fonts)
#define FAMILY f.Pick(f.families)
#define FORMAT f.Pick(f.formats)
#define BITMAP f.Pick(f.bitmaps)
#define IMAGE f.AnyImage()
#define ATTR f.Pick(f.attributes)
#define PATH f.Pick(f.paths)
#define REGION f.Pick(f.regions)
#define ORDER f.rng.Enum<MatrixOrder>(2)
#define UNIT f.rng.Enum<Unit>(7)
#define MODE f.rng.Enum<CombineMode>(6)
#define ADJUST f.rng.Enum<ColorAdjustType>(6)
#define FILLMODE f.rng.Enum<FillMode>(2)

std::vector<Operation> GraphicsOperations() {
  return {
      OP("GxGraphics::Delete", int i = f.rng.Below(kSlots); f.graphics[i].Delete(); f.drawsOn[i] = nullptr),
      OP("GxGraphics::Flush", G.Flush(f.rng.Enum<FlushIntention>(2))),
      OP("GxGraphics::CreateFromHWND", int i = f.rng.Below(kSlots); f.drawsOn[i] = nullptr;
         HWND hwnd = f.rng.Chance(50) ? nullptr : reinterpret_cast<HWND>(static_cast<UINT_PTR>(f.rng.Bits() & 0xFFFF));
         f.graphics[i].CreateFromHWND(hwnd, f.rng.Chance(30))),
      OP("GxGraphics::CreateFromHDC", int i = f.rng.Below(kSlots); HDC dc = f.Dc(); f.drawsOn[i] = nullptr;
         f.graphics[i].CreateFromHDC(dc, nullptr, f.rng.Chance(30))),
      OP("GxGraphics::CreateFromImage", int i = f.rng.Below(kSlots); GxImage& image = IMAGE;
         f.graphics[i].CreateFromImage(image); f.drawsOn[i] = f.graphics[i].IsValid() ? &image : nullptr),
      OP("GxGraphics::CreateSurface", int i = f.rng.Below(kSlots); int w = f.rng.Dim(), h = f.rng.Dim();
         CapSize(f.rng, w, h, 4); f.graphics[i].CreateSurface(w, h); f.drawsOn[i] = nullptr),
      OP("GxGraphics::GetHDC", G.GetHDC()),
      OP("GxGraphics::ReleaseHDC", G.ReleaseHDC()),
      OP("GxGraphics::GetCompositingMode", G.GetCompositingMode()),
      OP("GxGraphics::SetCompositingMode", G.SetCompositingMode(f.rng.Enum<CompositingMode>(2))),
      OP("GxGraphics::GetRenderingOrigin", int x, y; G.GetRenderingOrigin(x, y)),
      OP("GxGraphics::SetRenderingOrigin", G.SetRenderingOrigin(I, I)),
      OP("GxGraphics::GetCompositingQuality", G.GetCompositingQuality()),
      OP("GxGraphics::SetCompositingQuality", G.SetCompositingQuality(f.rng.Enum<CompositingQuality>(5))),
      OP("GxGraphics::SetSmoothingMode", G.SetSmoothingMode(f.rng.Enum<SmoothingMode>(6))),
      OP("GxGraphics::GetSmoothingMode", G.GetSmoothingMode()),
      OP("GxGraphics::SetTextRenderingHint", G.SetTextRenderingHint(f.rng.Enum<TextRenderingHint>(6))),
      OP("GxGraphics::GetTextRenderingHint", G.GetTextRenderingHint()),
      OP("GxGraphics::SetInterpolationMode", G.SetInterpolationMode(f.rng.Enum<InterpolationMode>(8))),
      OP("GxGraphics::GetInterpolationMode", G.GetInterpolationMode()),
      OP("GxGraphics::SetPixelOffsetMode", G.SetPixelOffsetMode(f.rng.Enum<PixelOffsetMode>(5))),
      OP("GxGraphics::GetPixelOffsetMode", G.GetPixelOffsetMode()),
      OP("GxGraphics::SetTransform", G.SetTransform(f.Matrix())),
      OP("GxGraphics::GetTransform", GxObject& m = f.rng.Chance(80) ? static_cast<GxObject&>(f.Pick(f.matrices)) : f.empty;
         G.GetTransform(m)),
      OP("GxGraphics::ResetTransform", G.ResetTransform()),
      OP("GxGraphics::MultiplyTransform", G.MultiplyTransform(f.Matrix(), ORDER)),
      OP("GxGraphics::TranslateTransform", G.TranslateTransform(R, R, ORDER)),
      OP("GxGraphics::ScaleTransform", G.ScaleTransform(f.rng.Scale(), f.rng.Scale(), ORDER)),
      OP("GxGraphics::ScaleTransformAt", G.ScaleTransformAt(f.rng.Scale(), f.rng.Scale(), GxPointF{R, R}, ORDER)),
      OP("GxGraphics::RotateTransform", G.RotateTransform(R, ORDER)),
      OP("GxGraphics::RotateTransformAt", G.RotateTransformAt(R, GxPointF{R, R}, ORDER)),
      OP("GxGraphics::SetPageUnit", G.SetPageUnit(f.rng.Chance(80) ? UnitPixel : UNIT)),
      OP("GxGraphics::GetPageUnit", G.GetPageUnit()),
      OP("GxGraphics::SetPageScale", G.SetPageScale(f.rng.Scale())),
      OP("GxGraphics::GetPageScale", G.GetPageScale()),
      OP("GxGraphics::GetDpiX", G.GetDpiX()),
      OP("GxGraphics::GetDpiY", G.GetDpiY()),
      OP("GxGraphics::TransformPoints", auto p = f.rng.Points();
         G.TransformPoints(f.rng.Enum<CoordinateSpace>(3), f.rng.Enum<CoordinateSpace>(3), p)),
      OP("GxGraphics::TransformPointsI", auto p = f.rng.PointsI();
         G.TransformPointsI(f.rng.Enum<CoordinateSpace>(3), f.rng.Enum<CoordinateSpace>(3), p)),
      OP("GxGraphics::GetNearestColor", G.GetNearestColor(f.rng.Argb())),
      OP("GxGraphics::DrawLine", G.DrawLine(PEN, R, R, R, R)),
      OP("GxGraphics::DrawLineI", G.DrawLineI(PEN, I, I, I, I)),
      OP("GxGraphics::DrawLines", G.DrawLines(PEN, f.rng.Points())),
      OP("GxGraphics::DrawLinesI", G.DrawLinesI(PEN, f.rng.PointsI())),
      OP("GxGraphics::DrawArc", G.DrawArc(PEN, R, R, R, R, R, R)),
      OP("GxGraphics::DrawArcI", G.DrawArcI(PEN, I, I, I, I, R, R)),
      OP("GxGraphics::DrawBezier", G.DrawBezier(PEN, R, R, R, R, R, R, R, R)),
      OP("GxGraphics::DrawBezierI", G.DrawBezierI(PEN, I, I, I, I, I, I, I, I)),
      OP("GxGraphics::DrawBeziers", G.DrawBeziers(PEN, f.rng.Points())),
      OP("GxGraphics::DrawBeziersI", G.DrawBeziersI(PEN, f.rng.PointsI())),
      OP("GxGraphics::DrawRectangle", G.DrawRectangle(PEN, R, R, R, R)),
      OP("GxGraphics::DrawRectangleI", G.DrawRectangleI(PEN, I, I, I, I)),
      OP("GxGraphics::DrawRectangles", G.DrawRectangles(PEN, f.rng.RectsF())),
      OP("GxGraphics::DrawRectanglesI", G.DrawRectanglesI(PEN, f.rng.RectsI())),
      OP("GxGraphics::DrawEllipse", G.DrawEllipse(PEN, R, R, R, R)),
      OP("GxGraphics::DrawEllipseI", G.DrawEllipseI(PEN, I, I, I, I)),
      OP("GxGraphics::DrawPie", G.DrawPie(PEN, R, R, R, R, R, R)),
      OP("GxGraphics::DrawPieI", G.DrawPieI(PEN, I, I, I, I, R, R)),
      OP("GxGraphics::DrawPolygon", G.DrawPolygon(PEN, f.rng.Points())),
      OP("GxGraphics::DrawPolygonI", G.DrawPolygonI(PEN, f.rng.PointsI())),
      OP("GxGraphics::DrawPath", G.DrawPath(PEN, PATH)),
      OP("GxGraphics::DrawCurve", G.DrawCurve(PEN, f.rng.Points())),
      OP("GxGraphics::DrawCurveI", G.DrawCurveI(PEN, f.rng.PointsI())),
      OP("GxGraphics::DrawCurveTension", G.DrawCurveTension(PEN, f.rng.Points(), R)),
      OP("GxGraphics::DrawCurveTensionI", G.DrawCurveTensionI(PEN, f.rng.PointsI(), R)),
      OP("GxGraphics::DrawCurveSegment", G.DrawCurveSegment(PEN, f.rng.Points(), I, I, R)),
      OP("GxGraphics::DrawCurveSegmentI", G.DrawCurveSegmentI(PEN, f.rng.PointsI(), f.rng.Below(8), f.rng.Below(8), R)),
      OP("GxGraphics::DrawClosedCurve", G.DrawClosedCurve(PEN, f.rng.Points())),
      OP("GxGraphics::DrawClosedCurveI", G.DrawClosedCurveI(PEN, f.rng.PointsI())),
      OP("GxGraphics::DrawClosedCurveTension", G.DrawClosedCurveTension(PEN, f.rng.Points(), R)),
      OP("GxGraphics::DrawClosedCurveTensionI", G.DrawClosedCurveTensionI(PEN, f.rng.PointsI(), R)),
      OP("GxGraphics::ClearToBlack", G.ClearToBlack(f.rng.Chance(80) ? f.rng.Below(7) : I)),
      OP("GxGraphics::FillRectangle", G.FillRectangle(BRUSH, R, R, R, R)),
      OP("GxGraphics::FillRectangleRect", G.FillRectangleRect(BRUSH, f.rng.RectF())),
      OP("GxGraphics::FillRectangleI", G.FillRectangleI(BRUSH, I, I, I, I)),
      OP("GxGraphics::FillRectangles", G.FillRectangles(BRUSH, f.rng.RectsF())),
      OP("GxGraphics::FillRectanglesI", G.FillRectanglesI(BRUSH, f.rng.RectsI())),
      OP("GxGraphics::FillPolygon", G.FillPolygon(BRUSH, f.rng.Points(), FILLMODE)),
      OP("GxGraphics::FillPolygonI", G.FillPolygonI(BRUSH, f.rng.PointsI(), FILLMODE)),
      OP("GxGraphics::FillEllipse", G.FillEllipse(BRUSH, R, R, R, R)),
      OP("GxGraphics::FillEllipseI", G.FillEllipseI(BRUSH, I, I, I, I)),
      OP("GxGraphics::FillPie", G.FillPie(BRUSH, R, R, R, R, R, R)),
      OP("GxGraphics::FillPieI", G.FillPieI(BRUSH, I, I, I, I, R, R)),
      OP("GxGraphics::FillPath", G.FillPath(BRUSH, PATH)),
      OP("GxGraphics::FillClosedCurve", G.FillClosedCurve(BRUSH, f.rng.Points())),
      OP("GxGraphics::FillClosedCurveTension", G.FillClosedCurveTension(BRUSH, f.rng.Points(), R, FILLMODE)),
      OP("GxGraphics::FillClosedCurveI", G.FillClosedCurveI(BRUSH, f.rng.PointsI())),
      OP("GxGraphics::FillClosedCurveTensionI", G.FillClosedCurveTensionI(BRUSH, f.rng.PointsI(), R, FILLMODE)),
      OP("GxGraphics::FillRegion", G.FillRegion(BRUSH, REGION)),
      OP("GxGraphics::DrawString", G.DrawString(f.rng.Utf8(), FONT, BRUSH, f.rng.RectF(), f.FormatOrNull())),
      OP("GxGraphics::DrawStringW", G.DrawStringW(f.rng.Wide(), FONT, BRUSH, f.rng.RectF(), f.FormatOrNull())),
      OP("GxGraphics::MeasureString", GxRectF box; G.MeasureString(f.rng.Utf8(), FONT, f.rng.RectF(), f.FormatOrNull(), box)),
      OP("GxGraphics::MeasureStringW", GxRectF box;
         G.MeasureStringW(f.rng.Wide(), FONT, f.rng.RectF(), f.FormatOrNull(), box)),
      OP("GxGraphics::MeasureCharacterRanges",
         G.MeasureCharacterRanges(f.rng.Utf8(), FONT, f.rng.RectF(), f.FormatOrNull(),
                                  f.rng.Chance(70) ? f.rng.Below(5) : I, f.measured)),
      OP("GxGraphics::MeasureCharacterRangesW",
         G.MeasureCharacterRangesW(f.rng.Wide(), FONT, f.rng.RectF(), f.FormatOrNull(),
                                   f.rng.Chance(70) ? f.rng.Below(5) : I, f.measured)),
      OP("GxGraphics::DrawDriverString", G.DrawDriverString(f.rng.Utf8(), FONT, BRUSH, f.rng.Points(),
                                                             f.rng.Chance(70) ? f.rng.Below(16) : I, f.MatrixOrNull())),
      OP("GxGraphics::DrawDriverStringW", G.DrawDriverStringW(f.rng.Wide(), FONT, BRUSH, f.rng.Points(),
                                                               f.rng.Chance(70) ? f.rng.Below(16) : I, f.MatrixOrNull())),
      OP("GxGraphics::SetTextContrast", G.SetTextContrast(static_cast<unsigned>(I))),
      OP("GxGraphics::GetTextContrast", G.GetTextContrast()),
      OP("GxGraphics::DrawImageUnscaled", G.DrawImageUnscaled(IMAGE, R, R)),
      OP("GxGraphics::DrawImageUnscaledI", G.DrawImageUnscaledI(IMAGE, I, I)),
      OP("GxGraphics::DrawImage", G.DrawImage(IMAGE, R, R)),
      OP("GxGraphics::DrawImageI", G.DrawImageI(IMAGE, I, I)),
      OP("GxGraphics::DrawCachedBitmap", G.DrawCachedBitmap(f.empty, R, R)),
      OP("GxGraphics::DrawImageStretched", G.DrawImageStretched(IMAGE, R, R, R, R, UNIT)),
      OP("GxGraphics::DrawImageStretchedI", G.DrawImageStretchedI(IMAGE, I, I, I, I, UNIT)),
      OP("GxGraphics::DrawImagePoints", G.DrawImagePoints(IMAGE, R, R, R, R, R, R)),
      OP("GxGraphics::DrawImagePointsI", G.DrawImagePointsI(IMAGE, I, I, I, I, I, I)),
      OP("GxGraphics::DrawImagePointRect", G.DrawImagePointRect(IMAGE, R, R, R, R, R, R, UNIT)),
      OP("GxGraphics::DrawImagePointRectI", G.DrawImagePointRectI(IMAGE, I, I, I, I, I, I, UNIT)),
      OP("GxGraphics::DrawImageRectRect",
         G.DrawImageRectRect(IMAGE, R, R, R, R, R, R, R, R, UNIT, f.AttributesOrNull())),
      OP("GxGraphics::DrawImageRectRectI",
         G.DrawImageRectRectI(IMAGE, I, I, I, I, I, I, I, I, UNIT, f.AttributesOrNull())),
      OP("GxGraphics::DrawImagePointsRect",
         G.DrawImagePointsRect(IMAGE, R, R, R, R, R, R, R, R, R, R, UNIT, f.AttributesOrNull())),
      OP("GxGraphics::DrawImagePointsRectI",
         G.DrawImagePointsRectI(IMAGE, I, I, I, I, I, I, I, I, I, I, UNIT, f.AttributesOrNull())),
  };
}

std::vector<Operation> MetafileAndClipOperations() {
  static int records = 0;
  return {
      OP("GxGraphics::EnumerateMetafileDestPoint",
         G.EnumerateMetafileDestPoint(IMAGE, GxPointF{R, R}, f.rng.Chance(80) ? &CountRecord : nullptr, &records,
                                      f.AttributesOrNull())),
      OP("GxGraphics::EnumerateMetafileDestPointI",
         G.EnumerateMetafileDestPointI(IMAGE, GxPoint{I, I}, &CountRecord, nullptr, f.AttributesOrNull())),
      OP("GxGraphics::EnumerateMetafileDestPoints",
         G.EnumerateMetafileDestPoints(IMAGE, f.rng.Points(), &CountRecord, &records, f.AttributesOrNull())),
      OP("GxGraphics::EnumerateMetafileDestPointsI",
         G.EnumerateMetafileDestPointsI(IMAGE, f.rng.PointsI(), &CountRecord, &records, f.AttributesOrNull())),
      OP("GxGraphics::EnumerateMetafileDestRect",
         G.EnumerateMetafileDestRect(IMAGE, f.rng.RectF(), &CountRecord, &records, f.AttributesOrNull())),
      OP("GxGraphics::EnumerateMetafileDestRectI",
         G.EnumerateMetafileDestRectI(IMAGE, f.rng.RectI(), &CountRecord, &records, f.AttributesOrNull())),
      OP("GxGraphics::EnumerateMetafileSrcRectDestPoint",
         G.EnumerateMetafileSrcRectDestPoint(IMAGE, GxPointF{R, R}, f.rng.RectF(), UNIT, &CountRecord, &records,
                                             f.AttributesOrNull())),
      OP("GxGraphics::EnumerateMetafileSrcRectDestPointI",
         G.EnumerateMetafileSrcRectDestPointI(IMAGE, GxPoint{I, I}, f.rng.RectI(), UNIT, &CountRecord, &records,
                                              f.AttributesOrNull())),
      OP("GxGraphics::EnumerateMetafileSrcRectDestPoints",
         G.EnumerateMetafileSrcRectDestPoints(IMAGE, f.rng.Points(), f.rng.RectF(), UNIT, &CountRecord, &records,
                                              f.AttributesOrNull())),
      OP("GxGraphics::EnumerateMetafileSrcRectDestPointsI",
         G.EnumerateMetafileSrcRectDestPointsI(IMAGE, f.rng.PointsI(), f.rng.RectI(), UNIT, &CountRecord, &records,
                                               f.AttributesOrNull())),
      OP("GxGraphics::EnumerateMetafileSrcRectDestRect",
         G.EnumerateMetafileSrcRectDestRect(IMAGE, f.rng.RectF(), f.rng.RectF(), UNIT, &CountRecord, &records,
                                            f.AttributesOrNull())),
      OP("GxGraphics::EnumerateMetafileSrcRectDestRectI",
         G.EnumerateMetafileSrcRectDestRectI(IMAGE, f.rng.RectI(), f.rng.RectI(), UNIT, &CountRecord, &records,
                                             f.AttributesOrNull())),
      OP("GxGraphics::SetClipGraphics", G.SetClipGraphics(G, MODE)),
      OP("GxGraphics::SetClipPath", G.SetClipPath(PATH, MODE)),
      OP("GxGraphics::SetClipRect", G.SetClipRect(R, R, R, R, MODE)),
      OP("GxGraphics::SetClipRectI", G.SetClipRectI(I, I, I, I, MODE)),
      OP("GxGraphics::SetClipRegion", G.SetClipRegion(REGION, MODE)),
      OP("GxGraphics::SetClipHrgn", G.SetClipHrgn(f.rng.Chance(70) ? f.hrgn.get() : nullptr, MODE)),
      OP("GxGraphics::ResetClip", G.ResetClip()),
      OP("GxGraphics::TranslateClip", G.TranslateClip(R, R)),
      OP("GxGraphics::TranslateClipI", G.TranslateClipI(I, I)),
      OP("GxGraphics::GetClip", G.GetClip(REGION)),
      OP("GxGraphics::GetClipBounds", G.GetClipBounds()),
      OP("GxGraphics::GetClipBoundsI", G.GetClipBoundsI()),
      OP("GxGraphics::GetVisibleClipBounds", G.GetVisibleClipBounds()),
      OP("GxGraphics::GetVisibleClipBoundsI", G.GetVisibleClipBoundsI()),
      OP("GxGraphics::IsClipEmpty", G.IsClipEmpty()),
      OP("GxGraphics::IsVisibleClipEmpty", G.IsVisibleClipEmpty()),
      OP("GxGraphics::IsVisiblePoint", G.IsVisiblePoint(R, R)),
      OP("GxGraphics::IsVisiblePointI", G.IsVisiblePointI(I, I)),
      OP("GxGraphics::IsVisibleRect", G.IsVisibleRect(R, R, R, R)),
      OP("GxGraphics::IsVisibleRectI", G.IsVisibleRectI(I, I, I, I)),
      OP("GxGraphics::Save", f.states.push_back(G.Save()); if (f.states.size() > 16) f.states.clear()),
      OP("GxGraphics::Restore",
         G.Restore(!f.states.empty() && f.rng.Chance(70) ? f.states[static_cast<std::size_t>(f.rng.Below(
                                                               static_cast<int>(f.states.size())))]
                                                         : static_cast<GraphicsState>(I))),
      OP("GxGraphics::BeginContainer", if (f.states.size() > 16) f.states.clear(); f.states.push_back(G.BeginContainer(f.rng.RectF(), f.rng.RectF(), UNIT))),
      OP("GxGraphics::BeginContainerI", f.states.push_back(G.BeginContainerI(f.rng.RectI(), f.rng.RectI(), UNIT))),
      OP("GxGraphics::BeginContainerPlain", f.states.push_back(G.BeginContainerPlain())),
      OP("GxGraphics::EndContainer",
         G.EndContainer(!f.states.empty() && f.rng.Chance(70) ? f.states.back() : static_cast<GraphicsContainer>(I))),
      OP("GxGraphics::AddComment", G.AddComment(Bytes(static_cast<std::size_t>(f.rng.Below(300)), 7))),
      OP("GxGraphics::ClearRect", int w = f.rng.Dim(), h = f.rng.Dim(); CapSize(f.rng, w, h, 4);
         G.ClearRect(I, I, w, h)),
      OP("GxGraphics::BitBltFrom", G.BitBltFrom(f.BlitSource(), I, I, I, I, f.rng.Dim(), f.rng.Dim())),
      OP("GxGraphics::BitBltFrom (defaults)", G.BitBltFrom(f.BlitSource())),
      OP("GxGraphics::StretchBltFrom", G.StretchBltFrom(f.BlitSource(), I, I, f.rng.Dim(), f.rng.Dim(), I, I, f.rng.Dim(),
                                                         f.rng.Dim())),
      OP("GxGraphics::AlphaBlendFrom", G.AlphaBlendFrom(f.BlitSource(), I, I, f.rng.Dim(), f.rng.Dim(), I, I, f.rng.Dim(),
                                                         f.rng.Dim(), I, f.rng.Below(3))),
      OP("GxGraphics::TransparentBltFrom",
         G.TransparentBltFrom(f.BlitSource(), I, I, f.rng.Dim(), f.rng.Dim(), I, I, f.rng.Dim(), f.rng.Dim(), I,
                              f.rng.Below(2))),
      OP("GxGraphics::EncodeSurface", std::string format = f.rng.Chance(30) ? std::string() : f.Format();
         G.EncodeSurface(format)),
      OP("GxGraphics::GetSurfacePixel", G.GetSurfacePixel(I, I)),
      OP("GxGraphics::GetSurfaceBits", GxGraphics& g = G; SurfaceBits bits = g.GetSurfaceBits();
         if (std::uint32_t* row = bits.Row(f.rng.Below(bits.height + 2) - 1)) row[f.rng.Below(bits.width)] ^= f.rng.Bits();
         g.GetSurfaceWidth(); g.GetSurfaceHeight(); g.GetSurfaceBitmap()),
  };
}

std::vector<Operation> PenAndBrushOperations() {
  return {
      OP("GxPen::Delete", PEN.Delete()),
      OP("GxPen::Create", PEN.Create(f.rng.Argb(), R, UNIT)),
      OP("GxPen::CreateFromBrush", PEN.CreateFromBrush(BRUSH, R, UNIT)),
      OP("GxPen::Clone", PEN.Clone(PEN)),
      OP("GxPen::GetWidth", PEN.GetWidth()),
      OP("GxPen::SetWidth", PEN.SetWidth(R)),
      OP("GxPen::GetUnit", PEN.GetUnit()),
      OP("GxPen::SetUnit", PEN.SetUnit(R)),
      OP("GxPen::SetLineCap", PEN.SetLineCap(f.rng.Enum<LineCap>(5), f.rng.Enum<LineCap>(5), f.rng.Enum<DashCap>(4))),
      OP("GxPen::SetLineCap2", PEN.SetLineCap2(f.rng.Enum<LineCap>(5), f.rng.Enum<LineCap>(5), f.rng.Enum<DashCap>(4))),
      OP("GxPen::SetStartCap", PEN.SetStartCap(f.rng.Chance(80) ? static_cast<LineCap>(f.rng.Between(0x10, 0x14))
                                                                 : f.rng.Enum<LineCap>(4))),
      OP("GxPen::SetEndCap", PEN.SetEndCap(f.rng.Enum<LineCap>(4))),
      OP("GxPen::SetDashCap", PEN.SetDashCap(f.rng.Enum<DashCap>(4))),
      OP("GxPen::GetStartCap", PEN.GetStartCap()),
      OP("GxPen::GetEndCap", PEN.GetEndCap()),
      OP("GxPen::GetDashCap", PEN.GetDashCap()),
      OP("GxPen::GetDashCap2", PEN.GetDashCap2()),
      OP("GxPen::SetLineJoin", PEN.SetLineJoin(f.rng.Enum<LineJoin>(4))),
      OP("GxPen::GetLineJoin", PEN.GetLineJoin()),
      OP("GxPen::SetCustomStartCap", PEN.SetCustomStartCap(f.rng.Chance(80) ? static_cast<GxObject&>(f.Pick(f.caps)) : f.empty)),
      OP("GxPen::GetCustomStartCap", PEN.GetCustomStartCap(f.Pick(f.caps))),
      OP("GxPen::SetCustomEndCap", PEN.SetCustomEndCap(f.rng.Chance(80) ? static_cast<GxObject&>(f.Pick(f.caps)) : f.empty)),
      OP("GxPen::GetCustomEndCap", PEN.GetCustomEndCap(f.Pick(f.caps))),
      OP("GxPen::SetMiterLimit", PEN.SetMiterLimit(R)),
      OP("GxPen::GetMiterLimit", PEN.GetMiterLimit()),
      OP("GxPen::SetAlignment", PEN.SetAlignment(f.rng.Enum<PenAlignment>(2))),
      OP("GxPen::GetAlignment", PEN.GetAlignment()),
      OP("GxPen::SetTransform", PEN.SetTransform(f.Matrix())),
      OP("GxPen::GetTransform", GxObject& m = f.rng.Chance(80) ? static_cast<GxObject&>(f.Pick(f.matrices)) : f.empty;
         PEN.GetTransform(m)),
      OP("GxPen::ResetTransform", PEN.ResetTransform()),
      OP("GxPen::MultiplyTransform", PEN.MultiplyTransform(f.Matrix(), ORDER)),
      OP("GxPen::RotateTransform", PEN.RotateTransform(R, ORDER)),
      OP("GxPen::RotateTransformAt", PEN.RotateTransformAt(R, GxPointF{R, R}, ORDER)),
      OP("GxPen::ScaleTransform", PEN.ScaleTransform(f.rng.Scale(), f.rng.Scale(), ORDER)),
      OP("GxPen::ScaleTransformAt", PEN.ScaleTransformAt(f.rng.Scale(), f.rng.Scale(), GxPointF{R, R}, ORDER)),
      OP("GxPen::TranslateTransform", PEN.TranslateTransform(R, R, ORDER)),
      OP("GxPen::GetColor", PEN.GetColor()),
      OP("GxPen::SetColor", PEN.SetColor(f.rng.Argb())),
      OP("GxPen::SetBrush", PEN.SetBrush(BRUSH)),
      OP("GxPen::GetBrush", PEN.GetBrush(BRUSH)),
      OP("GxPen::GetPenType", PEN.GetPenType()),
      OP("GxPen::SetDashStyle", PEN.SetDashStyle(f.rng.Enum<DashStyle>(6))),
      OP("GxPen::GetDashStyle", PEN.GetDashStyle()),
      OP("GxPen::GetDashOffset", PEN.GetDashOffset()),
      OP("GxPen::SetDashOffset", PEN.SetDashOffset(R)),
      OP("GxPen::GetDashPattern", std::vector<float> v; PEN.GetDashPattern(v)),
      OP("GxPen::SetDashPattern", PEN.SetDashPattern(f.rng.Floats())),
      OP("GxPen::SetCompoundArray", PEN.SetCompoundArray(f.rng.Floats())),
      OP("GxPen::GetCompoundArray", std::vector<float> v; PEN.GetCompoundArray(v)),
      OP("GxSolidBrush::Delete", BRUSH.Delete()),
      OP("GxSolidBrush::Clone", BRUSH.Clone(BRUSH)),
      OP("GxSolidBrush::GetBrushType", BRUSH.GetBrushType()),
      OP("GxSolidBrush::Create", BRUSH.Create(f.rng.Argb())),
      OP("GxSolidBrush::SetColor", BRUSH.SetColor(f.rng.Argb())),
      OP("GxSolidBrush::GetColor", BRUSH.GetColor()),
      OP("FuzzCap: a custom line cap from a path", f.Pick(f.caps).Create(PATH, f.rng.Enum<LineCap>(4), R)),
      OP("FuzzCap: delete", f.Pick(f.caps).Delete()),
      OP("FuzzMatrix: create", f.Pick(f.matrices).Create()),
      OP("FuzzMatrix: turn", f.Pick(f.matrices).Turn(R)),
      OP("FuzzMatrix: delete", f.Pick(f.matrices).Delete()),
  };
}

static const char* const kFamilyNames[] = {"Arial", "Tahoma", "\xE5\xBE\xAE\xE8\xBD\xAF\xE9\x9B\x85\xE9\xBB\x91",
                                           "Courier New", "No Such Font", "", "Times New Roman"};

std::vector<Operation> TextOperations() {
  auto familyName = [](Fuzz& f) {
    return f.rng.Chance(70) ? std::string(kFamilyNames[f.rng.Below(7)]) : f.rng.Utf8();
  };
  auto logFont = [](Fuzz& f) {
    LOGFONTW font{};
    auto* bytes = reinterpret_cast<std::uint8_t*>(&font);
    for (std::size_t i = 0; i < sizeof font; ++i) bytes[i] = static_cast<std::uint8_t>(f.rng.Bits());
    if (f.rng.Chance(60)) {
      font.lfHeight = f.rng.Between(-40, 40);
      font.lfWeight = f.rng.Below(1000);
      font.lfCharSet = DEFAULT_CHARSET;
      lstrcpyW(font.lfFaceName, f.rng.Chance(50) ? L"Arial" : L"Tahoma");
    }
    return font;
  };
  static std::function<std::string(Fuzz&)> familyNameOf = familyName;
  static std::function<LOGFONTW(Fuzz&)> makeLogFont = logFont;
  return {
      OP("GxFont::Delete", FONT.Delete()),
      OP("GxFont::Create", FONT.Create(FAMILY, R, f.rng.Chance(80) ? f.rng.Below(16) : I, UNIT)),
      OP("GxFont::CreateDefaultGuiFont", FONT.CreateDefaultGuiFont()),
      OP("GxFont::CreateFromName", FONT.CreateFromName(familyNameOf(f), R, f.rng.Below(16), UNIT)),
      OP("GxFont::CreateFromNameW", FONT.CreateFromNameW(f.rng.Wide(), R, f.rng.Below(16), UNIT)),
      OP("GxFont::CreateFromDC", FONT.CreateFromDC(f.Dc())),
      OP("GxFont::CreateFromDCFont",
         FONT.CreateFromDCFont(f.Dc(), f.rng.Chance(50) ? static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))
                                                        : reinterpret_cast<HFONT>(static_cast<UINT_PTR>(f.rng.Bits() & 0xFFFF)))),
      OP("GxFont::CreateFromLogFont", LOGFONTW wide = makeLogFont(f); LOGFONTA font{};
         std::memcpy(&font, &wide, sizeof font);
         FONT.CreateFromLogFont(f.Dc(), f.rng.Chance(85) ? &font : nullptr)),
      OP("GxFont::CreateFromLogFontW", LOGFONTW font = makeLogFont(f);
         FONT.CreateFromLogFontW(f.Dc(), f.rng.Chance(85) ? &font : nullptr)),
      OP("GxFont::Clone", FONT.Clone(FONT)),
      OP("GxFont::GetLogFont", Bytes buffer(static_cast<std::size_t>(f.rng.Below(100))); FONT.GetLogFont(f.GraphicsOrNull(), buffer)),
      OP("GxFont::GetLogFontW", Bytes buffer(static_cast<std::size_t>(f.rng.Below(100))); FONT.GetLogFontW(f.GraphicsOrNull(), buffer)),
      OP("GxFont::GetFamily", FONT.GetFamily(FAMILY)),
      OP("GxFont::GetStyle", FONT.GetStyle()),
      OP("GxFont::GetSize", FONT.GetSize()),
      OP("GxFont::GetUnit", FONT.GetUnit()),
      OP("GxFont::GetHeight", FONT.GetHeight(f.GraphicsOrNull())),
      OP("GxFont::GetHeightGivenDpi", FONT.GetHeightGivenDpi(R)),
      OP("GxFontFamily::Delete", FAMILY.Delete()),
      OP("GxFontFamily::CreateFromName", FAMILY.CreateFromName(familyNameOf(f), f.CollectionOrNull())),
      OP("GxFontFamily::CreateFromNameW", FAMILY.CreateFromNameW(f.rng.Wide(), f.CollectionOrNull())),
      OP("GxFontFamily::CreateGenericSansSerif", FAMILY.CreateGenericSansSerif()),
      OP("GxFontFamily::CreateGenericSerif", FAMILY.CreateGenericSerif()),
      OP("GxFontFamily::CreateGenericMonospace", FAMILY.CreateGenericMonospace()),
      OP("GxFontFamily::Clone", FAMILY.Clone(FAMILY)),
      OP("GxFontFamily::GetFamilyName", FAMILY.GetFamilyName()),
      OP("GxFontFamily::GetFamilyNameW", FAMILY.GetFamilyNameW()),
      OP("GxFontFamily::IsStyleAvailable", FAMILY.IsStyleAvailable(I)),
      OP("GxFontFamily::GetEmHeight", FAMILY.GetEmHeight(I)),
      OP("GxFontFamily::GetCellAscent", FAMILY.GetCellAscent(I)),
      OP("GxFontFamily::GetCellDescent", FAMILY.GetCellDescent(I)),
      OP("GxFontFamily::GetLineSpacing", FAMILY.GetLineSpacing(I)),
      OP("GxFontCollection::UseInstalledFonts", f.Pick(f.collections).UseInstalledFonts()),
      OP("GxFontCollection::GetFamilyCount", f.Pick(f.collections).GetFamilyCount()),
      OP("GxFontCollection::GetFamilies", std::vector<GxFontFamily> list;
         int count = f.rng.Chance(70) ? f.rng.Below(300) : I; if (count > (1 << 20)) count = 50;
         f.Pick(f.collections).GetFamilies(count, list)),
      OP("GxStringFormat::Delete", FORMAT.Delete()),
      OP("GxStringFormat::Create", FORMAT.Create(f.rng.Chance(70) ? f.rng.Below(0x8000) : I,
                                                 static_cast<LANGID>(f.rng.Bits()))),
      OP("GxStringFormat::CreateGenericDefault", FORMAT.CreateGenericDefault()),
      OP("GxStringFormat::CreateGenericTypographic", FORMAT.CreateGenericTypographic()),
      OP("GxStringFormat::Clone", FORMAT.Clone(FORMAT)),
      OP("GxStringFormat::SetFormatFlags", FORMAT.SetFormatFlags(I)),
      OP("GxStringFormat::GetFormatFlags", FORMAT.GetFormatFlags()),
      OP("GxStringFormat::SetAlignment", FORMAT.SetAlignment(f.rng.Enum<StringAlignment>(3))),
      OP("GxStringFormat::GetAlignment", FORMAT.GetAlignment()),
      OP("GxStringFormat::SetLineAlignment", FORMAT.SetLineAlignment(f.rng.Enum<StringAlignment>(3))),
      OP("GxStringFormat::GetLineAlignment", FORMAT.GetLineAlignment()),
      OP("GxStringFormat::SetTrimming", FORMAT.SetTrimming(f.rng.Enum<StringTrimming>(6))),
      OP("GxStringFormat::GetTrimming", FORMAT.GetTrimming()),
      OP("GxStringFormat::SetHotkeyPrefix", FORMAT.SetHotkeyPrefix(f.rng.Enum<HotkeyPrefix>(3))),
      OP("GxStringFormat::GetHotkeyPrefix", FORMAT.GetHotkeyPrefix()),
      OP("GxStringFormat::SetTabStops", FORMAT.SetTabStops(R, f.rng.Floats())),
      OP("GxStringFormat::GetTabStops", float first = 0; std::vector<float> stops; FORMAT.GetTabStops(first, stops)),
      OP("GxStringFormat::SetDigitSubstitution",
         FORMAT.SetDigitSubstitution(f.rng.Enum<StringDigitSubstitute>(4), static_cast<LANGID>(f.rng.Bits()))),
      OP("GxStringFormat::GetDigitSubstitution", StringDigitSubstitute s; LANGID l; FORMAT.GetDigitSubstitution(s, l)),
      OP("GxStringFormat::SetMeasurableCharacterRanges",
         std::vector<GxCharRange> ranges(static_cast<std::size_t>(f.rng.Chance(90) ? f.rng.Below(5) : 40));
         for (auto& r : ranges) r = {f.rng.Chance(70) ? f.rng.Below(10) : I, f.rng.Chance(70) ? f.rng.Below(10) : I};
         FORMAT.SetMeasurableCharacterRanges(ranges)),
      OP("GxStringFormat::GetMeasurableCharacterRangeCount", FORMAT.GetMeasurableCharacterRangeCount()),
  };
}

std::vector<Operation> ImageOperations() {
  return {
      OP("GxImage::Delete", f.ImageToChange().Delete()),
      OP("GxImage::LoadFromFile", f.ImageToChange().LoadFromFile(WideToUtf8(f.FileName()), f.rng.Chance(20))),
      OP("GxImage::LoadFromFileW", f.ImageToChange().LoadFromFileW(f.FileName(), f.rng.Chance(20))),
      OP("GxImage::LoadFromBytes", Bytes bytes = f.ImageBytes(); f.ImageToChange().LoadFromBytes(bytes, f.rng.Chance(20))),
      OP("GxImage::Clone", GxImage& source = IMAGE; source.Clone(f.ImageToChange())),
      OP("write an image file", Bytes bytes = f.ImageBytes(); const std::wstring name = f.folder + L"\\in.bin";
         HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
         DWORD written = 0; if (file != INVALID_HANDLE_VALUE) {
           WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
           CloseHandle(file);
         }),
      OP("GxImage::SaveToFile", std::string format = f.Format(); auto params = f.Params();
         IMAGE.SaveToFile(WideToUtf8(f.FileName()), format, f.rng.Chance(70), f.rng.Chance(50) ? &params : nullptr)),
      OP("GxImage::SaveToFileW", std::string format = f.Format(); auto params = f.Params();
         IMAGE.SaveToFileW(f.FileName(), format, f.rng.Chance(70), f.rng.Chance(50) ? &params : nullptr)),
      OP("GxImage::SaveToBytes", std::string format = f.Format(); auto params = f.Params();
         IMAGE.SaveToBytes(format, f.rng.Chance(70), f.rng.Chance(50) ? &params : nullptr)),
      OP("GxImage::SaveAdd", IMAGE.SaveAdd(f.Params())),
      OP("GxImage::SaveAddImage", IMAGE.SaveAddImage(IMAGE, f.Params())),
      OP("GxImage::GetEncoderParameterList", std::vector<EncoderParam> list; IMAGE.GetEncoderParameterList(f.Format(), list)),
      OP("GxImage::GetRawFormat", IMAGE.GetRawFormat()),
      OP("GxImage::GetBounds", Unit unit; IMAGE.GetBounds(unit)),
      OP("GxImage::GetDimension", IMAGE.GetDimension()),
      OP("GxImage::GetType", IMAGE.GetType()),
      OP("GxImage::GetWidth", IMAGE.GetWidth()),
      OP("GxImage::GetHeight", IMAGE.GetHeight()),
      OP("GxImage::GetHorizontalResolution", IMAGE.GetHorizontalResolution()),
      OP("GxImage::GetVerticalResolution", IMAGE.GetVerticalResolution()),
      OP("GxImage::GetFlags", IMAGE.GetFlags()),
      OP("GxImage::GetPixelFormat", IMAGE.GetPixelFormat()),
      OP("GxImage::GetThumbnail", int w = f.rng.Dim(), h = f.rng.Dim(); CapSize(f.rng, w, h, 4);
         GxImage& source = IMAGE; source.GetThumbnail(w, h, f.ImageToChange())),
      OP("GxImage::GetFrameCount", IMAGE.GetFrameCount(f.Dimension())),
      OP("GxImage::GetFrameDimensionsList", std::vector<std::string> list; IMAGE.GetFrameDimensionsList(list)),
      OP("GxImage::SelectActiveFrame", f.ImageToChange().SelectActiveFrame(f.Dimension(), f.rng.Chance(70) ? f.rng.Below(3) : I)),
      OP("GxImage::GetFrameDelays", std::vector<int> delays; IMAGE.GetFrameDelays(delays)),
      OP("GxImage::GetPropertyItem", GxPropertyItem item; IMAGE.GetPropertyItem(f.rng.Chance(50) ? 0x5100 : I, item)),
      OP("GxImage::SetPropertyItem", GxPropertyItem item; item.id = f.rng.Chance(50) ? 0x5100 : I; item.length = I;
         item.type = static_cast<std::int16_t>(f.rng.Below(12));
         item.value.assign(static_cast<std::size_t>(f.rng.Below(64)), 3); IMAGE.SetPropertyItem(item)),
      OP("GxImage::RemovePropertyItem", IMAGE.RemovePropertyItem(I)),
      OP("GxImage::GetPropertyIdList", std::vector<int> ids; IMAGE.GetPropertyIdList(ids)),
      OP("GxImage::RotateFlip", f.ImageToChange().RotateFlip(f.rng.Enum<RotateFlipType>(8))),
      OP("GxImage::GetPalette", GxPalette palette; IMAGE.GetPalette(palette)),
      OP("GxImage::SetPalette", IMAGE.SetPalette(f.Palette())),
  };
}

std::vector<Operation> BitmapOperations() {
  return {
      OP("GxBitmap::Delete", f.BitmapToChange(f.rng.Below(kSlots)).Delete()),
      OP("GxBitmap::CreateFromScan0", int w = f.rng.Dim(), h = f.rng.Dim(); CapSize(f.rng, w, h);
         const int format = f.PixelFormat();
         const long long row = static_cast<long long>(std::max(w, 0)) * 32;  // the widest pixel a format names
         int stride = f.rng.Chance(60) ? static_cast<int>(std::min<long long>(INT_MAX, (row + 3) & ~3ll)) : I;
         const long long rows = std::max(h, 1), step = std::max<long long>(std::llabs(static_cast<long long>(stride)), row);
         GxBitmap& bitmap = f.BitmapToChange(f.rng.Below(kSlots));
         if (f.rng.Chance(30) && step <= kMaxBytes / rows) {  // a product of the two could overflow
           // Caller's pixels, enough of them whatever the stride says: they last only as long as
           // this operation, so the bitmap goes with it.
           std::vector<std::uint8_t> pixels(static_cast<std::size_t>(step * (rows + 1)));
           std::uint8_t* scan0 = stride < 0 ? pixels.data() + static_cast<std::size_t>(step * (rows - 1)) : pixels.data();
           bitmap.CreateFromScan0(w, h, stride, format, scan0);
           bitmap.GetPixel(0, 0);
           f.Releasing(bitmap);
           bitmap.Delete();
         } else {
           bitmap.CreateFromScan0(w, h, stride, format, nullptr);
         }),
      OP("GxBitmap::Create", int w = f.rng.Dim(), h = f.rng.Dim(); CapSize(f.rng, w, h);
         f.BitmapToChange(f.rng.Below(kSlots)).Create(w, h, f.PixelFormat())),
      OP("GxBitmap::CreateFromGraphics", int w = f.rng.Dim(), h = f.rng.Dim(); CapSize(f.rng, w, h);
         GxGraphics& g = G; f.BitmapToChange(f.rng.Below(kSlots)).CreateFromGraphics(w, h, g)),
      OP("GxBitmap::CreateFromGdiDib", int w = f.rng.Dim(), h = f.rng.Dim(); CapSize(f.rng, w, h);
         // A header with room for a full colour table, as a caller's BITMAPINFO would have.
         std::vector<std::uint32_t> header((sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD)) / 4, 0);
         auto* info = reinterpret_cast<BITMAPINFO*>(header.data());
         info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
         info->bmiHeader.biWidth = w; info->bmiHeader.biHeight = f.rng.Chance(50) || h == INT_MIN ? h : -h;
         info->bmiHeader.biPlanes = 1;
         static const WORD bits[] = {1, 4, 8, 16, 24, 32, 0, 7};
         info->bmiHeader.biBitCount = bits[f.rng.Below(8)];
         info->bmiHeader.biCompression = f.rng.Chance(90) ? BI_RGB : static_cast<DWORD>(f.rng.Below(8));
         const long long bytes = std::llabs(static_cast<long long>(w) * h) * 4 + 64;
         std::vector<std::uint8_t> pixels(bytes <= kMaxBytes ? static_cast<std::size_t>(bytes) : 64);
         GxBitmap& bitmap = f.BitmapToChange(f.rng.Below(kSlots));
         bitmap.CreateFromGdiDib(f.rng.Chance(90) ? info : nullptr,
                                 f.rng.Chance(90) && bytes <= kMaxBytes ? pixels.data() : nullptr);
         bitmap.GetPixel(0, 0); f.Releasing(bitmap); bitmap.Delete()),
      OP("GxBitmap::CreateFromHBITMAP",
         HBITMAP source = f.rng.Chance(40) ? f.hbitmap.get() : (f.rng.Chance(50) ? G.GetSurfaceBitmap() : nullptr);
         f.BitmapToChange(f.rng.Below(kSlots)).CreateFromHBITMAP(source, nullptr)),
      OP("GxBitmap::CreateFromHICON", f.BitmapToChange(f.rng.Below(kSlots)).CreateFromHICON(f.rng.Chance(70) ? f.icon.icon : nullptr)),
      OP("GxBitmap::CreateFromResource",
         f.BitmapToChange(f.rng.Below(kSlots)).CreateFromResource(f.rng.Chance(50) ? GetModuleHandleW(nullptr) : nullptr, f.rng.Utf8())),
      OP("GxBitmap::GetHBITMAP", f.hbitmap.reset(BITMAP.GetHBITMAP(f.rng.Argb()))),
      OP("GxBitmap::GetHICON", f.icon.reset(BITMAP.GetHICON())),
      OP("GxBitmap::CloneArea", GxBitmap& source = BITMAP; int slot = f.rng.Below(kSlots); GxRectF rect = f.rng.RectF();
         CapSize(f.rng, rect.width, rect.height); source.CloneArea(rect, f.PixelFormat(), f.BitmapToChange(slot))),
      OP("GxBitmap::CloneAreaI", GxBitmap& source = BITMAP; int slot = f.rng.Below(kSlots); GxRect rect = f.rng.RectI();
         CapSize(f.rng, rect.width, rect.height); source.CloneAreaI(rect, f.PixelFormat(), f.BitmapToChange(slot))),
      OP("GxBitmap::LockBits", int slot = f.rng.Below(kSlots); GxRect rect = f.rng.RectI();
         if (f.rng.Chance(60)) rect = {0, 0, f.bitmaps[slot].GetWidth(), f.bitmaps[slot].GetHeight()};
         CapSize(f.rng, rect.width, rect.height);
         int flags = f.rng.Chance(85) ? f.rng.Between(1, 3) : I;
         BitmapData data{};
         std::vector<std::uint8_t> buffer;
         if (flags & ImageLockModeUserInputBuf) {
           // The caller's buffer: big enough for the rectangle in any format, or none.
           const long long bytes = static_cast<long long>(std::max(rect.width, 0)) * std::max(rect.height, 0) * 32;
           if (f.rng.Chance(50) && bytes <= kMaxBytes) {
             buffer.assign(static_cast<std::size_t>(bytes) + 16, 0);
             data.Scan0 = buffer.data();
             data.Stride = std::max(rect.width, 0) * 32;
           }
           f.bitmaps[slot].LockBits(rect, flags, f.PixelFormat(), data);
           f.bitmaps[slot].UnlockBits(data);  // the buffer goes with this operation
         } else if (f.bitmaps[slot].LockBits(rect, flags, f.PixelFormat(), data)) {
           f.locks[slot] = data;
         }),
      OP("GxBitmap::UnlockBits", int slot = f.rng.Below(kSlots); BitmapData data = f.locks[slot];
         if (f.rng.Chance(30)) {  // a record that does not match the lock
           switch (f.rng.Below(4)) {
             case 0: data.Width += 1000; data.Height += 1000; break;
             case 1: data.Scan0 = nullptr; break;
             case 2: data.Stride = -data.Stride * 3; break;
             default: data.PixelFormat = PixelFormat64bppARGB; data.Reserved |= ImageLockModeWrite; break;
           }
         }
         f.bitmaps[slot].UnlockBits(data)),
      OP("GxBitmap::GetPixel", BITMAP.GetPixel(I, I)),
      OP("GxBitmap::SetPixel", BITMAP.SetPixel(f.rng.Chance(50) ? f.rng.Below(70) : I, f.rng.Chance(50) ? f.rng.Below(70) : I,
                                               f.rng.Argb())),
      OP("GxBitmap::SetResolution", BITMAP.SetResolution(R, R)),
      OP("GxBitmap::ApplyEffect", RECT roi{I, I, I, I}; BITMAP.ApplyEffect(f.effect, f.rng.Chance(50) ? &roi : nullptr,
                                                                           f.rng.Chance(50))),
      OP("GxBitmap::CreateRotated", GxBitmap& source = BITMAP; int slot = f.rng.Below(kSlots);
         std::optional<GxSizeF> size;
         if (f.rng.Chance(40)) { GxSizeF s{R, R}; CapSize(f.rng, s.width, s.height); size = s; }
         if (!size && (source.GetWidth() > 600 || source.GetHeight() > 600)) size = GxSizeF{10, 10};
         std::optional<std::uint32_t> background; if (f.rng.Chance(50)) background = f.rng.Argb();
         std::optional<InterpolationMode> interpolation; if (f.rng.Chance(50)) interpolation = f.rng.Enum<InterpolationMode>(8);
         source.CreateRotated(R, f.BitmapToChange(slot), background, interpolation, size)),
      OP("GxBitmap::GetRotatedSize", float w, h; GxBitmap::GetRotatedSize(I, I, I, w, h)),
  };
}

std::vector<Operation> AttributeOperations() {
  auto matrix = [](Fuzz& f) {
    GxColorMatrix m{};
    for (float& v : m) v = f.rng.Chance(70) ? static_cast<float>(f.rng.Below(3)) : f.rng.Real();
    return m;
  };
  static std::function<GxColorMatrix(Fuzz&)> colorMatrix = matrix;
  return {
      OP("GxImageAttributes::Delete", ATTR.Delete()),
      OP("GxImageAttributes::Create", ATTR.Create()),
      OP("GxImageAttributes::Clone", ATTR.Clone(ATTR)),
      OP("GxImageAttributes::SetToIdentity", ATTR.SetToIdentity(ADJUST)),
      OP("GxImageAttributes::Reset", ATTR.Reset(ADJUST)),
      OP("GxImageAttributes::SetThreshold", ATTR.SetThreshold(R, ADJUST)),
      OP("GxImageAttributes::ClearThreshold", ATTR.ClearThreshold(ADJUST)),
      OP("GxImageAttributes::SetNoOp", ATTR.SetNoOp(ADJUST)),
      OP("GxImageAttributes::ClearNoOp", ATTR.ClearNoOp(ADJUST)),
      OP("GxImageAttributes::SetGamma", ATTR.SetGamma(R, ADJUST)),
      OP("GxImageAttributes::ClearGamma", ATTR.ClearGamma(ADJUST)),
      OP("GxImageAttributes::SetColorKey", ATTR.SetColorKey(f.rng.Argb(), f.rng.Argb(), ADJUST)),
      OP("GxImageAttributes::ClearColorKey", ATTR.ClearColorKey(ADJUST)),
      OP("GxImageAttributes::SetOutputChannel", ATTR.SetOutputChannel(f.rng.Enum<ColorChannelFlags>(5), ADJUST)),
      OP("GxImageAttributes::ClearOutputChannel", ATTR.ClearOutputChannel(ADJUST)),
      OP("GxImageAttributes::SetOutputChannelColorProfile", ATTR.SetOutputChannelColorProfile(f.rng.Utf8(), ADJUST)),
      OP("GxImageAttributes::ClearOutputChannelColorProfile", ATTR.ClearOutputChannelColorProfile(ADJUST)),
      OP("GxImageAttributes::SetRemapTable", std::vector<GxColorMap> map(static_cast<std::size_t>(f.rng.Count()));
         for (auto& m : map) m = {f.rng.Argb(), f.rng.Argb()}; ATTR.SetRemapTable(map, ADJUST)),
      OP("GxImageAttributes::ClearRemapTable", ATTR.ClearRemapTable(ADJUST)),
      OP("GxImageAttributes::SetWrapMode", ATTR.SetWrapMode(f.rng.Enum<WrapMode>(5), f.rng.Argb())),
      OP("GxImageAttributes::GetAdjustedPalette", GxPalette palette = f.Palette(); ATTR.GetAdjustedPalette(palette, ADJUST)),
      OP("GxImageAttributes::SetColorMatrix", GxColorMatrix m = colorMatrix(f), gray = colorMatrix(f);
         ATTR.SetColorMatrix(m, f.rng.Chance(50) ? &gray : nullptr, f.rng.Enum<ColorMatrixFlags>(3), ADJUST)),
      OP("GxImageAttributes::SetColorMatrices", GxColorMatrix m = colorMatrix(f), gray = colorMatrix(f);
         ATTR.SetColorMatrices(*reinterpret_cast<const ColorMatrix*>(m.data()),
                               f.rng.Chance(50) ? reinterpret_cast<const ColorMatrix*>(gray.data()) : nullptr,
                               f.rng.Enum<ColorMatrixFlags>(3), ADJUST)),
      OP("GxImageAttributes::ClearColorMatrix", ATTR.ClearColorMatrix(ADJUST)),
  };
}

std::vector<Operation> PathOperations() {
  auto types = [](Fuzz& f, std::size_t count) {
    Bytes bytes(count);
    if (f.rng.Chance(40)) {  // a path GDI+ takes: figures of lines and Bezier triples
      for (std::size_t i = 0; i < count; ++i) bytes[i] = i == 0 ? 0 : (count % 3 == 1 && f.rng.Chance(50) ? 3 : 1);
      if (count > 1 && f.rng.Chance(30)) bytes[count - 1] |= 0x80;
      return bytes;
    }
    for (auto& b : bytes) {
      static const std::uint8_t common[] = {0, 1, 3, 0x81, 0x83, 0x20, 0xA1};
      b = f.rng.Chance(80) ? common[f.rng.Below(7)] : static_cast<std::uint8_t>(f.rng.Bits());
    }
    return bytes;
  };
  static std::function<Bytes(Fuzz&, std::size_t)> pathTypes = types;
  return {
      OP("GxPath::Delete", PATH.Delete()),
      OP("GxPath::Create", PATH.Create(FILLMODE)),
      OP("GxPath::CreateFromPoints", auto p = f.rng.Points();
         Bytes t = pathTypes(f, f.rng.Chance(80) ? p.size() : static_cast<std::size_t>(f.rng.Count()));
         PATH.CreateFromPoints(p, t, FILLMODE)),
      OP("GxPath::CreateFromPointsI", auto p = f.rng.PointsI();
         Bytes t = pathTypes(f, f.rng.Chance(80) ? p.size() : static_cast<std::size_t>(f.rng.Count()));
         PATH.CreateFromPointsI(p, t, FILLMODE)),
      OP("GxPath::Clone", PATH.Clone(PATH)),
      OP("GxPath::Reset", PATH.Reset()),
      OP("GxPath::GetFillMode", PATH.GetFillMode()),
      OP("GxPath::SetFillMode", PATH.SetFillMode(FILLMODE)),
      OP("GxPath::GetPathData", GxPathData data; PATH.GetPathData(data)),
      OP("GxPath::GetPathTypes", Bytes t; OptInt n; if (f.rng.Chance(50)) n = f.rng.Chance(50) ? f.rng.Below(40) : I;
         if (n && *n > (1 << 20)) n = 3; PATH.GetPathTypes(t, n)),
      OP("GxPath::GetPathPoints", std::vector<GxPointF> p; OptInt n; if (f.rng.Chance(50)) n = f.rng.Chance(50) ? f.rng.Below(40) : I;
         if (n && *n > (1 << 18)) n = 3; PATH.GetPathPoints(p, n)),
      OP("GxPath::GetPathPointsI", std::vector<GxPoint> p; OptInt n; if (f.rng.Chance(50)) n = f.rng.Chance(50) ? f.rng.Below(40) : I;
         if (n && *n > (1 << 18)) n = 3; PATH.GetPathPointsI(p, n)),
      OP("GxPath::StartFigure", PATH.StartFigure()),
      OP("GxPath::CloseFigure", PATH.CloseFigure()),
      OP("GxPath::CloseAllFigures", PATH.CloseAllFigures()),
      OP("GxPath::SetMarker", PATH.SetMarker()),
      OP("GxPath::ClearMarkers", PATH.ClearMarkers()),
      OP("GxPath::Reverse", PATH.Reverse()),
      OP("GxPath::GetLastPoint", PATH.GetLastPoint()),
      OP("GxPath::AddLine", PATH.AddLine(R, R, R, R)),
      OP("GxPath::AddLineI", PATH.AddLineI(I, I, I, I)),
      OP("GxPath::AddLines", auto p = f.rng.Points(); PATH.AddLines(p)),
      OP("GxPath::AddLinesI", auto p = f.rng.PointsI(); PATH.AddLinesI(p)),
      OP("GxPath::AddArc", PATH.AddArc(R, R, R, R, R, R)),
      OP("GxPath::AddArcI", PATH.AddArcI(I, I, I, I, R, R)),
      OP("GxPath::AddBezier", PATH.AddBezier(R, R, R, R, R, R, R, R)),
      OP("GxPath::AddBezierI", PATH.AddBezierI(I, I, I, I, I, I, I, I)),
      OP("GxPath::AddBeziers", auto p = f.rng.Points(); PATH.AddBeziers(p)),
      OP("GxPath::AddBeziersI", auto p = f.rng.PointsI(); PATH.AddBeziersI(p)),
      OP("GxPath::AddCurve", auto p = f.rng.Points(); PATH.AddCurve(p)),
      OP("GxPath::AddCurveTension", auto p = f.rng.Points(); PATH.AddCurveTension(p, R)),
      OP("GxPath::AddCurveSegment", auto p = f.rng.Points(); PATH.AddCurveSegment(p, f.rng.Below(9) - 1, f.rng.Below(9) - 1, R)),
      OP("GxPath::AddCurveI", auto p = f.rng.PointsI(); PATH.AddCurveI(p)),
      OP("GxPath::AddCurveTensionI", auto p = f.rng.PointsI(); PATH.AddCurveTensionI(p, R)),
      OP("GxPath::AddCurveSegmentI", auto p = f.rng.PointsI(); PATH.AddCurveSegmentI(p, I, I, R)),
      OP("GxPath::AddClosedCurve", auto p = f.rng.Points(); PATH.AddClosedCurve(p)),
      OP("GxPath::AddClosedCurveTension", auto p = f.rng.Points(); PATH.AddClosedCurveTension(p, R)),
      OP("GxPath::AddClosedCurveI", auto p = f.rng.PointsI(); PATH.AddClosedCurveI(p)),
      OP("GxPath::AddClosedCurveTensionI", auto p = f.rng.PointsI(); PATH.AddClosedCurveTensionI(p, R)),
      OP("GxPath::AddRectangle", PATH.AddRectangle(R, R, R, R)),
      OP("GxPath::AddRoundedRectangle", PATH.AddRoundedRectangle(R, R, R, R, I)),
      OP("GxPath::AddRectangles", auto r = f.rng.RectsF(); PATH.AddRectangles(r)),
      OP("GxPath::AddRectangleI", PATH.AddRectangleI(I, I, I, I)),
      OP("GxPath::AddRectanglesI", auto r = f.rng.RectsI(); PATH.AddRectanglesI(r)),
      OP("GxPath::AddEllipse", PATH.AddEllipse(R, R, R, R)),
      OP("GxPath::AddEllipseI", PATH.AddEllipseI(I, I, I, I)),
      OP("GxPath::AddPie", PATH.AddPie(R, R, R, R, R, R)),
      OP("GxPath::AddPieI", PATH.AddPieI(I, I, I, I, R, R)),
      OP("GxPath::AddPolygon", auto p = f.rng.Points(); PATH.AddPolygon(p)),
      OP("GxPath::AddPolygonI", auto p = f.rng.PointsI(); PATH.AddPolygonI(p)),
      OP("GxPath::AddPath", PATH.AddPath(PATH, f.rng.Chance(50))),
      OP("GxPath::AddString", PATH.AddString(f.rng.Utf8().substr(0, 40), FAMILY, f.rng.Chance(90) ? f.rng.Below(100) : I, f.rng.RectF(), f.rng.Below(16), f.FormatOrNull())),
      OP("GxPath::AddStringW", PATH.AddStringW(f.rng.Wide().substr(0, 40), FAMILY, f.rng.Chance(90) ? f.rng.Below(100) : I, f.rng.RectF(), f.rng.Below(16), f.FormatOrNull())),
      OP("GxPath::AddStringI", PATH.AddStringI(f.rng.Utf8().substr(0, 40), FAMILY, f.rng.Chance(90) ? f.rng.Below(100) : I, f.rng.RectI(), I, f.FormatOrNull())),
      OP("GxPath::AddStringWI", PATH.AddStringWI(f.rng.Wide().substr(0, 40), FAMILY, f.rng.Chance(90) ? f.rng.Below(100) : I, f.rng.RectI(), I, f.FormatOrNull())),
      OP("GxPath::Transform", PATH.Transform(f.Matrix())),
      OP("GxPath::Flatten", PATH.Flatten(f.MatrixOrNull(), R)),
      OP("GxPath::Widen", PATH.Widen(PEN, f.MatrixOrNull(), R)),
      OP("GxPath::Outline", PATH.Outline(f.MatrixOrNull(), R)),
      OP("GxPath::Warp", auto p = f.rng.Points(); PATH.Warp(p, f.rng.RectF(), f.MatrixOrNull(), f.rng.Enum<WarpMode>(2), R)),
      OP("GxPath::GetPointCount", PATH.GetPointCount()),
      OP("GxPath::GetBounds", const GxPen* pen = f.rng.Chance(50) ? &PEN : nullptr; PATH.GetBounds(f.MatrixOrNull(), pen)),
      OP("GxPath::GetBoundsI", const GxPen* pen = f.rng.Chance(50) ? &PEN : nullptr; PATH.GetBoundsI(f.MatrixOrNull(), pen)),
      OP("GxPath::IsVisible", PATH.IsVisible(R, R, f.GraphicsOrNull())),
      OP("GxPath::IsVisibleI", PATH.IsVisibleI(I, I, f.GraphicsOrNull())),
      OP("GxPath::IsOutlineVisible", PATH.IsOutlineVisible(R, R, PEN, f.GraphicsOrNull())),
      OP("GxPath::IsOutlineVisibleI", PATH.IsOutlineVisibleI(I, I, PEN, f.GraphicsOrNull())),
  };
}

std::vector<Operation> RegionOperations() {
  return {
      OP("GxRegion::Delete", REGION.Delete()),
      OP("GxRegion::Create", REGION.Create()),
      OP("GxRegion::CreateFromRect", REGION.CreateFromRect(f.rng.RectF())),
      OP("GxRegion::CreateFromRectI", REGION.CreateFromRectI(f.rng.RectI())),
      OP("GxRegion::CreateFromPath", REGION.CreateFromPath(PATH)),
      OP("GxRegion::CreateFromHrgn", REGION.CreateFromHrgn(f.rng.Chance(80) ? f.hrgn.get() : nullptr)),
      OP("GxRegion::CreateFromData", GxRegion& source = REGION; Bytes bytes = source.GetData(source.GetDataSize());
         if (f.rng.Chance(30)) bytes.resize(static_cast<std::size_t>(f.rng.Below(static_cast<int>(bytes.size()) + 1)));
         for (int i = f.rng.Chance(30) ? f.rng.Between(1, 4) : 0; i > 0 && !bytes.empty(); --i)
           bytes[static_cast<std::size_t>(f.rng.Below(static_cast<int>(bytes.size())))] = static_cast<std::uint8_t>(f.rng.Bits());
         OptInt size; if (f.rng.Chance(20)) size = f.rng.Chance(50) ? f.rng.Below(static_cast<int>(bytes.size()) + 8) : I;
         REGION.CreateFromData(bytes, size)),
      OP("GxRegion::Clone", REGION.Clone(REGION)),
      OP("GxRegion::MakeInfinite", REGION.MakeInfinite()),
      OP("GxRegion::MakeEmpty", REGION.MakeEmpty()),
      OP("GxRegion::CombineRect", REGION.CombineRect(f.rng.RectF(), MODE)),
      OP("GxRegion::CombineRectI", REGION.CombineRectI(f.rng.RectI(), MODE)),
      OP("GxRegion::CombineRegion", REGION.CombineRegion(REGION, MODE)),
      OP("GxRegion::CombinePath", REGION.CombinePath(PATH, MODE)),
      OP("GxRegion::Translate", REGION.Translate(R, R)),
      OP("GxRegion::TranslateI", REGION.TranslateI(I, I)),
      OP("GxRegion::Transform", REGION.Transform(f.Matrix())),
      OP("GxRegion::GetBounds", REGION.GetBounds(f.GraphicsOrNull())),
      OP("GxRegion::GetBoundsI", REGION.GetBoundsI(f.GraphicsOrNull())),
      OP("GxRegion::GetDataSize", REGION.GetDataSize()),
      OP("GxRegion::GetData", UINT filled = 0; GxRegion& region = REGION;
         UINT size = f.rng.Chance(60) ? region.GetDataSize() + f.rng.Below(3) - 1 : static_cast<UINT>(I);
         region.GetData(CapBytes(f.rng, size), f.rng.Chance(50) ? &filled : nullptr)),
      OP("GxRegion::GetHRGN", f.hrgn.reset(REGION.GetHRGN(f.GraphicsOrNull()))),
      OP("GxRegion::IsEmpty", REGION.IsEmpty(f.GraphicsOrNull())),
      OP("GxRegion::IsInfinite", REGION.IsInfinite(f.GraphicsOrNull())),
      OP("GxRegion::Equals", REGION.Equals(REGION, f.GraphicsOrNull())),
      OP("GxRegion::IsVisiblePoint", REGION.IsVisiblePoint(GxPointF{R, R}, f.GraphicsOrNull())),
      OP("GxRegion::IsVisiblePointI", REGION.IsVisiblePointI(GxPoint{I, I}, f.GraphicsOrNull())),
      OP("GxRegion::IsVisibleRect", REGION.IsVisibleRect(f.rng.RectF(), f.GraphicsOrNull())),
      OP("GxRegion::IsVisibleRectI", REGION.IsVisibleRectI(f.rng.RectI(), f.GraphicsOrNull())),
      OP("GxRegion::GetRegionScansCount", REGION.GetRegionScansCount(f.MatrixOrNull())),
      OP("GxRegion::GetRegionScans", std::vector<GxRectF> rects; REGION.GetRegionScans(f.MatrixOrNull(), rects)),
      OP("GxRegion::GetRegionScansI", std::vector<GxRect> rects; REGION.GetRegionScansI(f.MatrixOrNull(), rects)),
      OP("a GDI region", f.hrgn.reset(CreateRectRgn(I, I, I, I))),
  };
}

std::vector<Operation> MiscOperations() {
  return {
      OP("GxMemoryStream::CreateFromBytes", Bytes bytes = f.ImageBytes(); const bool given = f.rng.Chance(40);
         std::size_t size = given ? CapBytes(f.rng, static_cast<std::uint32_t>(I)) : 0;
         f.Pick(f.streams).CreateFromBytes(bytes, size, given)),
      OP("GxMemoryStream::Release", f.Pick(f.streams).Release()),
      OP("GxMemoryStream::GetSize", f.Pick(f.streams).GetSize()),
      OP("GxMemoryStream::ToBytes", f.Pick(f.streams).ToBytes()),
      OP("GxMemoryStream::AttachStream", GxMemoryStream& stream = f.Pick(f.streams); IStream* fresh = nullptr;
         if (f.rng.Chance(50)) CreateStreamOnHGlobal(nullptr, FALSE, &fresh);
         else if (f.rng.Chance(50)) fresh = stream.GetStream();
         stream.AttachStream(fresh); stream.GetHandle()),
      OP("GxMemoryStream: move", GxMemoryStream& to = f.Pick(f.streams); to = std::move(f.Pick(f.streams))),
      OP("GxEffect::FreeAuxData", f.effect.FreeAuxData()),
      OP("GxObject::Alloc", GxObject& object = PEN; std::uint32_t size = CapBytes(f.rng, static_cast<std::uint32_t>(I));
         object.Free(object.Alloc(size))),
      OP("text: UTF-8 and back", WideToUtf8(Utf8ToWide(f.rng.Utf8())); WideToUtf8(f.rng.Wide()); WideToOem(f.rng.Wide().c_str())),
      OP("GUID text", TextToGuid(f.rng.Chance(50) ? f.Format() : f.rng.Utf8())),
      OP("FindEncoderClsid", FindEncoderClsid(f.Format())),
      OP("EncoderValueSize", EncoderValueSize(I)),
      OP("EncoderParameterBlock and back", auto params = f.Params(); EncoderParameterBlock block(params);
         if (block.Status() == GxOk) ReadEncoderParameters(*block.Get(), sizeof(UINT) + params.size() * sizeof(EncoderParameter))),
      OP("SegmentsInside", SegmentsInside(static_cast<std::size_t>(f.rng.Below(10)), I, I)),
      OP("DibSurface::Create", DibSurface surface; int w = f.rng.Dim(), h = f.rng.Dim(); CapSize(f.rng, w, h, 4);
         surface.Create(w, h); SurfaceBits bits = surface.Bits(); if (std::uint32_t* row = bits.Row(0)) row[0] = 1),
      OP("NativePalette", NativePalette native(f.Palette()); native.ToPalette()),
  };
}

#undef OP

bool Chosen(const char* name, const char* prefixes) {
  if (!prefixes || !*prefixes) return true;
  for (const char* at = prefixes; *at;) {
    const char* end = std::strchr(at, ',');
    const std::size_t length = end ? static_cast<std::size_t>(end - at) : std::strlen(at);
    if (length > 0 && std::strncmp(name, at, length) == 0) return true;
    at += length + (end ? 1 : 0);
  }
  return false;
}

std::vector<Operation> AllOperations() {
  const char* prefixes = std::getenv("SCREENCUT_FUZZ_OPS");
  std::vector<Operation> all;
  for (auto group : {GraphicsOperations, MetafileAndClipOperations, PenAndBrushOperations, TextOperations,
                     ImageOperations, BitmapOperations, AttributeOperations, PathOperations, RegionOperations,
                     MiscOperations})
    for (Operation& op : group())
      if (Chosen(op.name, prefixes)) all.push_back(std::move(op));
  return all;
}

// One seed: `calls` operations at random. Returns false (having reported why) at the first
// operation that throws or leaves a status GDI+ cannot return.
bool RunSeed(std::uint32_t seed, long calls, const std::vector<Operation>& operations) {
  const bool trace = std::getenv("SCREENCUT_FUZZ_TRACE") != nullptr;
  progress.seed = seed;
  Fuzz f(seed);
  for (long call = 0; call < calls; ++call) {
    const Operation& op = operations[static_cast<std::size_t>(f.rng.Below(static_cast<int>(operations.size())))];
    progress.call = call;
    progress.op = op.name;
    progress.startedMs = NowMs();
    progress.running = true;
    if (trace) std::fprintf(stderr, "%ld %s\n", call, op.name);
    try {
      op.run(f);
    } catch (const std::exception& e) {
      ADD_FAILURE() << "exception \"" << e.what() << "\" escaped " << op.name << " (call " << call << ", seed " << seed << ")";
      return false;
    } catch (...) {
      ADD_FAILURE() << "an exception escaped " << op.name << " (call " << call << ", seed " << seed << ")";
      return false;
    }
    progress.running = false;
    const int status = LastStatus;
    if (status < 0 || status > 21) {
      ADD_FAILURE() << op.name << " left LastStatus " << status << ", which GDI+ never returns (call " << call
                    << ", seed " << seed << ")";
      return false;
    }
    f.Trim();
  }
  progress.op = "clearing the pool";
  return true;
}

long EnvNumber(const char* name, long fallback) {
  const char* text = std::getenv(name);
  return text && *text ? std::strtol(text, nullptr, 10) : fallback;
}

TEST(GxFuzz, EveryOperationSurvivesHostileArguments) {
  SetUnhandledExceptionFilter(ReportCrash);
  Watchdog watchdog;
  const std::vector<Operation> operations = AllOperations();
  const long calls = EnvNumber("SCREENCUT_FUZZ_CALLS", 3000);
  std::vector<std::uint32_t> seeds;
  if (const long chosen = EnvNumber("SCREENCUT_FUZZ_SEED", -1); chosen >= 0) {
    seeds.push_back(static_cast<std::uint32_t>(chosen));
  } else {
    seeds.push_back(20261209u);
    // A seed from the clock still finds faults that are open (see the cases below), so it runs on
    // demand, not in every run of the suite.
    if (EnvNumber("SCREENCUT_FUZZ_CLOCK", 0) != 0)
      seeds.push_back(static_cast<std::uint32_t>(std::chrono::system_clock::now().time_since_epoch().count() & 0x7FFFFFFF));
  }
  for (long extra = EnvNumber("SCREENCUT_FUZZ_SEEDS", 0); extra > 0; --extra) seeds.push_back(seeds.back() + 1);

  std::printf("GxFuzz: %zu operations, %ld calls per seed, seeds", operations.size(), calls);
  for (std::uint32_t seed : seeds) std::printf(" %u", seed);
  std::printf("\n");
  std::fflush(stdout);

  for (std::uint32_t seed : seeds) {
    const ResourceLevels before = MeasureResources();
    if (!RunSeed(seed, calls, operations)) return;
    const ResourceLevels after = MeasureResources();
    if (before.gdiObjects >= 0 && after.gdiObjects >= 0) {
      EXPECT_LE(after.gdiObjects - before.gdiObjects, 24)
          << "GDI objects left behind once every wrapper of seed " << seed << " is gone";
    }
  }
}

// The faults the search found, each as the smallest sequence that showed it. Every call here
// ended the process or never returned before the layer refused its arguments.

// A watchdog for the cases: a case that hangs names itself instead of stalling the suite.
template <typename Call>
void Within(const char* name, Call call) {
  progress.op = name;
  progress.startedMs = NowMs();
  progress.running = true;
  call();
  progress.running = false;
}

TEST(GxFuzzFound, AQueryOnAnEmptyGraphicsIsRefused) {
  Watchdog watchdog;
  GxGraphics none;  // seed 20261209, call 60: Wine reads through the null graphics
  EXPECT_FALSE(none.IsVisibleClipEmpty());
  EXPECT_EQ(LastStatus, GxInvalidParameter);
  GxPath path;
  EXPECT_FALSE(path.AddLine(0, 0, 1, 1));
  EXPECT_EQ(LastStatus, GxInvalidParameter);
  GxGraphics graphics;  // and an empty path drawn on a real graphics
  ASSERT_TRUE(graphics.CreateSurface(4, 4));
  GxPen pen;
  ASSERT_TRUE(pen.Create(0xFFFFFFFF, 1));
  EXPECT_FALSE(graphics.DrawPath(pen, path));
  EXPECT_EQ(LastStatus, GxInvalidParameter);
}

TEST(GxFuzzFound, CurvesThroughPointsGdiplusCannotHoldAreRefused) {
  Watchdog watchdog;
  GxGraphics graphics;
  ASSERT_TRUE(graphics.CreateSurface(16, 16));
  GxPen pen;
  ASSERT_TRUE(pen.Create(0xFFFFFFFF, 1));
  // Seed 20261209, call 388: Wine flattened these for good.
  Within("huge bezier points", [&] {
    EXPECT_FALSE(graphics.DrawBeziersI(pen, {{32767, 194}, {256, -1073741824}, {34366340, -1343008101}, {125, 9}}));
  });
  EXPECT_EQ(LastStatus, GxValueOverflow);
  Within("a NaN control point", [&] { EXPECT_FALSE(graphics.DrawBezier(pen, 0, 0, std::nanf(""), 1, 2, 3, 4, 5)); });
  EXPECT_EQ(LastStatus, GxValueOverflow);
  GxPath path;
  ASSERT_TRUE(path.Create());
  std::vector<GxPointF> infinite{{0, 0}, {std::numeric_limits<float>::infinity(), 1}, {2, 2}, {3, 0}};
  Within("an infinite curve point", [&] { EXPECT_FALSE(path.AddCurve(infinite)); });
  EXPECT_EQ(LastStatus, GxValueOverflow);
  // Coordinates within what GDI+ holds still draw, to the pixel.
  EXPECT_TRUE(graphics.DrawLineI(pen, 2, 5, 12, 5));
  EXPECT_NE(graphics.GetSurfacePixel(7, 5), 0u);
  EXPECT_TRUE(graphics.DrawBezier(pen, -8388608.0f, 0, 0, 0, 1, 1, 8388608.0f, 2));
}

TEST(GxFuzzFound, PointTypesThatMakeNoPathAreRefused) {
  Watchdog watchdog;
  GxGraphics graphics;  // seed 603021377, call 1600: drawing such a path read past its points
  ASSERT_TRUE(graphics.CreateSurface(16, 16));
  GxPen pen;
  ASSERT_TRUE(pen.Create(0xFFFFFFFF, 1));
  GxPath path;
  std::vector<GxPointF> points{{1, 1}, {8, 2}, {3, 9}, {12, 12}};
  for (const Bytes& types : {Bytes{0, 3}, Bytes{0, 3, 3}, Bytes{1, 1}, Bytes{0, 2}, Bytes{0, 0x41}, Bytes{0, 0x81, 1}}) {
    EXPECT_FALSE(path.CreateFromPoints(points, types)) << types.size();
    EXPECT_EQ(LastStatus, GxInvalidParameter);
    EXPECT_FALSE(graphics.DrawPath(pen, path));
  }
  std::vector<GxPointF> distant{{1, 1}, {8, 2}, {3, 9}, {1e30f, 12}};  // seed 1744704892: only the first was checked
  EXPECT_FALSE((path.CreateFromPoints(distant, Bytes{0, 3, 3, 0x83})));
  EXPECT_EQ(LastStatus, GxValueOverflow);
  ASSERT_TRUE((path.CreateFromPoints(points, Bytes{0, 3, 3, 0x83})));
  EXPECT_TRUE(graphics.DrawPath(pen, path));
  EXPECT_NE(graphics.GetSurfacePixel(1, 1), 0u);
}

TEST(GxFuzzFound, BitmapsWhosePixelsAnIntCannotCountAreRefused) {
  Watchdog watchdog;
  GxGraphics graphics;  // seed 603021378, call 1054: a 32768 x 65536 bitmap with a sliver of pixels
  ASSERT_TRUE(graphics.CreateSurface(4, 4));
  GxBitmap bitmap;
  EXPECT_FALSE(bitmap.CreateFromGraphics(32768, 65536, graphics));
  EXPECT_EQ(LastStatus, GxInvalidParameter);
  EXPECT_FALSE(bitmap.IsValid());
  EXPECT_FALSE(bitmap.Create(65536, 65536));
  EXPECT_EQ(LastStatus, GxInvalidParameter);
  EXPECT_FALSE(bitmap.CreateFromScan0(16, 1 << 20, INT_MAX / 2, PixelFormat32bppARGB, nullptr));
  ASSERT_TRUE(bitmap.Create(3, 2));
  GxImage thumbnail;
  EXPECT_FALSE(bitmap.GetThumbnail(65536, 65536, thumbnail));
  EXPECT_EQ(LastStatus, GxInvalidParameter);
  GxBitmap turned;
  EXPECT_FALSE(bitmap.CreateRotated(std::nanf(""), turned));
  EXPECT_FALSE(bitmap.CreateRotated(30, turned, std::nullopt, std::nullopt, GxSizeF{1e30f, 4}));
  EXPECT_FALSE(bitmap.CreateRotated(30, turned, std::nullopt, std::nullopt, GxSizeF{60000, 60000}));
  EXPECT_FALSE(turned.IsValid());
  EXPECT_TRUE(bitmap.CreateRotated(90, turned));  // a size an int counts still turns
  EXPECT_TRUE(turned.IsValid());
}

TEST(GxFuzzFound, OnlyAMetafileIsPlayedBack) {
  Watchdog watchdog;
  GxGraphics graphics;  // seed 20261209 (20000 calls), call 4491: a bitmap read as a metafile
  ASSERT_TRUE(graphics.CreateSurface(8, 8));
  GxBitmap bitmap;
  ASSERT_TRUE(bitmap.Create(4, 4));
  int records = 0;
  EXPECT_FALSE(graphics.EnumerateMetafileDestPoint(bitmap, GxPointF{0, 0}, &CountRecord, &records));
  EXPECT_EQ(LastStatus, GxInvalidParameter);
  EXPECT_FALSE(graphics.EnumerateMetafileDestRect(bitmap, GxRectF{0, 0, 4, 4}, &CountRecord, &records));
  EXPECT_EQ(records, 0);
}

TEST(GxFuzzFound, AFlatnessFinerThanGdiplusKeepsStillFlattens) {
  Watchdog watchdog;
  GxPath path;  // seed 603021376, call 1094
  ASSERT_TRUE(path.Create());
  ASSERT_TRUE(path.AddEllipse(0, 0, 200, 100));
  Within("flatten at 1e-40", [&] { EXPECT_TRUE(path.Flatten(nullptr, 1e-40f)); });
  const int flattened = path.GetPointCount();
  EXPECT_GT(flattened, 12);
  EXPECT_LT(flattened, 20000);
  Within("widen at zero", [&] {
    GxPen pen;
    pen.Create(0xFF000000, 3);
    EXPECT_TRUE(path.Widen(pen, nullptr, 0.0f));
  });
  // Seed 52038998, call 592: corners two pixels long, far enough out that rounding swamped the
  // sixteenth Wine was asked to flatten them to.
  std::vector<GxPointF> rounded{{441.410004f, -360}, {441.686157f, -360}, {441.910004f, -358.432983f},
                                {441.910004f, -356.5f}, {441.910004f, 356.5f}, {441.910004f, 358.432983f},
                                {441.686157f, 360}, {441.410004f, 360}, {314.100006f, 360},
                                {313.823853f, 360}, {313.600006f, 358.432983f}, {313.600006f, 356.5f},
                                {313.600006f, -356.5f}, {313.600006f, -358.432983f}, {313.823853f, -360},
                                {314.100006f, -360}};
  ASSERT_TRUE(path.CreateFromPoints(rounded, Bytes{0, 3, 3, 3, 1, 3, 3, 3, 1, 3, 3, 3, 1, 3, 3, 0x83}));
  Within("rounded corners far out", [&] { EXPECT_TRUE(path.Flatten(nullptr, 1.0f / 16)); });
  GxGraphics graphics;
  ASSERT_TRUE(graphics.CreateSurface(450, 4));
  GxSolidBrush brush;
  ASSERT_TRUE(brush.Create(0xFFFFFFFF));
  EXPECT_TRUE(graphics.FillPath(brush, path));
  EXPECT_NE(graphics.GetSurfacePixel(400, 2), 0u);
  EXPECT_EQ(graphics.GetSurfacePixel(300, 2), 0u);
}

TEST(GxFuzzFound, RegionsThatGdiplusCannotReadBackAreRefused) {
  Watchdog watchdog;
  GxPath path;
  ASSERT_TRUE(path.Create());
  ASSERT_TRUE(path.AddEllipse(2, 2, 12, 12));
  GxRegion region;
  ASSERT_TRUE(region.CreateFromPath(path));
  ASSERT_TRUE(region.CombineRectI(GxRect{0, 0, 3, 3}, CombineModeUnion));
  const Bytes intact = region.GetData(region.GetDataSize());
  // Seed 558494752, call 324: a leaf type damaged; GDI+ freed the half-read region and crashed.
  Bytes damaged = intact;
  damaged[16] ^= 0x40;
  GxRegion copy;
  Within("a damaged node", [&] { EXPECT_FALSE(copy.CreateFromData(damaged)); });
  EXPECT_EQ(LastStatus, GxInvalidParameter);
  Within("bytes cut short", [&] { EXPECT_FALSE(copy.CreateFromData(intact, static_cast<int>(intact.size()) - 4)); });
  // Seed 125700903 (regions and paths only), call 2758: a GDI region of 65536 scans never ended.
  GdiObject<HRGN> huge(CreateEllipticRgn(0, 0, 70000, 70000));
  Within("a GDI region of 70000 scans", [&] { EXPECT_FALSE(copy.CreateFromHrgn(huge.get())); });
  EXPECT_EQ(LastStatus, GxOutOfMemory);
  // The intact bytes and a modest GDI region still fill their pixels.
  GxGraphics graphics;
  ASSERT_TRUE(graphics.CreateSurface(16, 16));
  GxSolidBrush brush;
  ASSERT_TRUE(brush.Create(0xFFFFFFFF));
  ASSERT_TRUE(copy.CreateFromData(intact));
  EXPECT_TRUE(graphics.FillRegion(brush, copy));
  EXPECT_NE(graphics.GetSurfacePixel(8, 8), 0u);
  EXPECT_NE(graphics.GetSurfacePixel(1, 1), 0u);
  EXPECT_EQ(graphics.GetSurfacePixel(14, 1), 0u);
  GdiObject<HRGN> modest(CreateRectRgn(0, 12, 4, 16));
  ASSERT_TRUE(copy.CreateFromHrgn(modest.get()));
  EXPECT_TRUE(graphics.FillRegion(brush, copy));
  EXPECT_NE(graphics.GetSurfacePixel(1, 13), 0u);
}

TEST(GxFuzzFound, CurvesReachingFarPastTheDeviceAreRefused) {
  Watchdog watchdog;
  GxGraphics graphics;
  ASSERT_TRUE(graphics.CreateSurface(16, 16));
  GxPen pen;
  ASSERT_TRUE(pen.Create(0xFFFFFFFF, 0));
  // Seed 52038971, call 964: at tension 8 these points' control points stand 110000 pixels out.
  const std::vector<GxPoint> spread{{-16, 0}, {32767, 191}, {161, -5}, {158, -8}, {210, 46341}};
  Within("a curve at tension 8", [&] { EXPECT_FALSE(graphics.DrawCurveTensionI(pen, spread, 8)); });
  EXPECT_EQ(LastStatus, GxValueOverflow);
  Within("a closed curve at tension 8", [&] { EXPECT_FALSE(graphics.DrawClosedCurveTensionI(pen, spread, 8)); });
  EXPECT_EQ(LastStatus, GxValueOverflow);
  Within("the same curve at tension 0.5", [&] { EXPECT_TRUE(graphics.DrawCurveTensionI(pen, spread, 0.5f)); });
  // The reach is measured on the device: a transform that multiplies a small curve out is refused.
  const std::vector<GxPointF> small{{1, 1}, {7, 12}, {14, 3}};
  ASSERT_TRUE(graphics.ScaleTransform(20000, 20000));
  Within("a small curve scaled out", [&] { EXPECT_FALSE(graphics.DrawCurve(pen, small)); });
  EXPECT_EQ(LastStatus, GxValueOverflow);
  // Seed 52038971, call 2907: a path flattened through a matrix that multiplied it out; here
  // the far-reaching curve above, added to a path and flattened as it stands.
  GxPath path;
  ASSERT_TRUE(path.Create());
  std::vector<GxPoint> reaching = spread;
  ASSERT_TRUE(path.AddCurveTensionI(reaching, 8));
  Within("a far-reaching path flattened", [&] { EXPECT_FALSE(path.Flatten(nullptr, 0.25f)); });
  EXPECT_EQ(LastStatus, GxValueOverflow);
  ASSERT_TRUE(graphics.ResetTransform());
  EXPECT_TRUE(graphics.DrawCurveTension(pen, small, 1));
  EXPECT_NE(graphics.GetSurfacePixel(1, 1), 0u);
  EXPECT_NE(graphics.GetSurfacePixel(14, 3), 0u);
  // Seed 52039022, call 615: the outline of an ellipse reaching past 65536, widened by Wine.
  ASSERT_TRUE(path.Reset());
  ASSERT_TRUE(path.AddEllipse(250, 42, 65536, 65535));
  GxPen wide;
  ASSERT_TRUE(wide.Create(0xFFFFFFFF, 330));
  Within("the outline of an ellipse far out", [&] { EXPECT_FALSE(path.IsOutlineVisible(250, 32809, wide)); });
  EXPECT_EQ(LastStatus, GxValueOverflow);
  ASSERT_TRUE(path.Reset());
  ASSERT_TRUE(path.AddEllipse(2, 2, 12, 12));
  ASSERT_TRUE(wide.SetWidth(4));
  EXPECT_TRUE(path.IsOutlineVisible(2, 8, wide));
  EXPECT_FALSE(path.IsOutlineVisible(8, 8, wide));
  EXPECT_EQ(LastStatus, GxOk);
  ASSERT_TRUE(path.Flatten(nullptr, 0.25f));
  GxSolidBrush brush;
  ASSERT_TRUE(brush.Create(0xFF00FF00));
  EXPECT_TRUE(graphics.FillPath(brush, path));
  EXPECT_EQ(graphics.GetSurfacePixel(8, 8) & 0xFFFFFFu, 0x00FF00u);
}

}  // namespace
