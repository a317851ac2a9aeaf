// Captions through GDI: text drawn black on white into a 32-bit DIB
// section with the system's Chinese font, read back as ink coverage.
#include <windows.h>

#include <iterator>
#include <string>

#include "text_stack.h"

namespace qrcaption {

namespace {

// Chinese fonts in the order asked for: Windows' own, then what Wine has.
const wchar_t *const kFaces[] = {L"Microsoft YaHei", L"SimSun", L"WenQuanYi Micro Hei"};

std::wstring Wide(std::string_view utf8) {
  if (utf8.empty()) return std::wstring();
  const int length =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0)
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], length);
  return wide;
}

class GdiTextStack : public TextStack {
 public:
  GdiTextStack() : dc_(CreateCompatibleDC(nullptr)) {}

  ~GdiTextStack() override {
    if (dc_) {
      if (oldFont_) SelectObject(dc_, oldFont_);
      if (oldBitmap_) SelectObject(dc_, oldBitmap_);
      DeleteDC(dc_);
    }
    if (font_) DeleteObject(font_);
    if (bitmap_) DeleteObject(bitmap_);
  }

  GdiTextStack(const GdiTextStack &) = delete;
  GdiTextStack &operator=(const GdiTextStack &) = delete;

  bool ok() const { return dc_ != nullptr; }

  TextExtent Measure(std::string_view utf8, int pixelSize) override {
    TextExtent extent;
    if (!UseFont(pixelSize)) return extent;
    const std::wstring wide = Wide(utf8);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc_, &metrics);
    SIZE size{};
    GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
    extent.width = size.cx;
    extent.height = metrics.tmHeight;
    extent.ascent = metrics.tmAscent;
    if (!wide.empty()) {
      std::wstring glyphs(wide.size(), L'\0');
      if (GetGlyphIndicesW(dc_, wide.c_str(), static_cast<int>(wide.size()),
                           reinterpret_cast<WORD *>(&glyphs[0]),
                           GGI_MARK_NONEXISTING_GLYPHS) != GDI_ERROR) {
        for (size_t i = 0; i < glyphs.size(); ++i)
          extent.missingGlyphs += static_cast<WORD>(glyphs[i]) == 0xFFFF && wide[i] > L' ';
      }
    }
    return extent;
  }

  void Draw(std::string_view utf8, int pixelSize, int left, int top, GreyBand &band) override {
    if (band.width <= 0 || band.height <= 0 || !UseFont(pixelSize) || !Canvas(band)) return;
    // White page, black ink: coverage is what the green channel lost.
    PatBlt(dc_, 0, 0, band.width, band.height, WHITENESS);
    SetTextColor(dc_, RGB(0, 0, 0));
    SetBkMode(dc_, TRANSPARENT);
    SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    const std::wstring wide = Wide(utf8);
    TextOutW(dc_, left, top, wide.c_str(), static_cast<int>(wide.size()));
    GdiFlush();
    for (int y = 0; y < band.height; ++y) {
      const uint8_t *row = bits_ + static_cast<size_t>(y) * static_cast<size_t>(canvasWidth_) * 4;
      uint8_t *out = band.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(band.stride);
      for (int x = 0; x < band.width; ++x) {
        const uint8_t ink = static_cast<uint8_t>(255 - row[4 * x + 1]);
        if (ink > out[x]) out[x] = ink;
      }
    }
  }

 private:
  bool UseFont(int pixelSize) {
    if (!dc_) return false;
    if (font_ && pixelSize == fontPixels_) return true;
    HFONT font = nullptr;
    for (const wchar_t *face : kFaces) {
      font = CreateFontW(-pixelSize, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                         OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                         DEFAULT_PITCH | FF_SWISS, face);
      if (!font) continue;
      HGDIOBJ previous = SelectObject(dc_, font);
      wchar_t chosen[LF_FACESIZE] = {};
      GetTextFaceW(dc_, LF_FACESIZE, chosen);
      SelectObject(dc_, previous);
      // GDI maps a missing face to another: take the next one asked for.
      if (lstrcmpiW(chosen, face) == 0 || face == kFaces[std::size(kFaces) - 1]) break;
      DeleteObject(font);
      font = nullptr;
    }
    if (!font) return false;
    HGDIOBJ previous = SelectObject(dc_, font);
    if (!oldFont_) oldFont_ = previous;
    if (font_) DeleteObject(font_);
    font_ = font;
    fontPixels_ = pixelSize;
    return true;
  }

  // A DIB section at least as large as the band.
  bool Canvas(const GreyBand &band) {
    if (bitmap_ && canvasWidth_ == band.width && canvasHeight_ == band.height) return true;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = band.width;
    info.bmiHeader.biHeight = -band.height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return false;
    HGDIOBJ previous = SelectObject(dc_, bitmap);
    if (!oldBitmap_) oldBitmap_ = previous;
    if (bitmap_) DeleteObject(bitmap_);
    bitmap_ = bitmap;
    bits_ = static_cast<uint8_t *>(bits);
    canvasWidth_ = band.width;
    canvasHeight_ = band.height;
    return true;
  }

  HDC dc_ = nullptr;
  HFONT font_ = nullptr;
  int fontPixels_ = 0;
  HGDIOBJ oldFont_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
  uint8_t *bits_ = nullptr;
  int canvasWidth_ = 0, canvasHeight_ = 0;
};

}  // namespace

std::unique_ptr<TextStack> MakeTextStack() {
  auto stack = std::make_unique<GdiTextStack>();
  if (!stack->ok()) return nullptr;
  return stack;
}

// GDI keeps no glyphs of its own here: every line is drawn whole.
std::unique_ptr<TextStack> MakeUncachedTextStack() { return MakeTextStack(); }

}  // namespace qrcaption
