// Captions through cairo's win32 font face (GDI finds the font; cairo
// embeds the glyphs it uses as a subset font). No shaping engine: glyphs
// follow each other by their advances, which suits Chinese and Latin
// captions; lines break at spaces, or between any two characters where a
// word is wider than the label.
#include <windows.h>

#include <cairo-win32.h>

#include <cwchar>
#include <vector>

#include "caption_text.h"

namespace qrsheets {

namespace {

constexpr double kMmPerPt = 25.4 / 72;
constexpr double kStepPt = 0.5;

// Code point boundaries of `text`; bytes that are no UTF-8 become U+FFFD.
std::string ValidUtf8(const std::string &text) {
  std::string out;
  for (size_t i = 0; i < text.size();) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    int length = lead < 0x80                   ? 1
                 : lead >= 0xC2 && lead < 0xE0 ? 2
                 : lead >= 0xE0 && lead < 0xF0 ? 3
                 : lead >= 0xF0 && lead < 0xF5 ? 4
                                               : 0;
    for (int k = 1; k < length; ++k)
      if (i + k >= text.size() || (static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
        length = 0;
    if (length == 0) {
      out += "\xEF\xBF\xBD";
      ++i;
    } else {
      out.append(text, i, static_cast<size_t>(length));
      i += static_cast<size_t>(length);
    }
  }
  return out;
}

int CALLBACK FontFound(const LOGFONTW *, const TEXTMETRICW *, DWORD, LPARAM found) {
  *reinterpret_cast<bool *>(found) = true;
  return 0;
}

bool FontInstalled(const wchar_t *family) {
  LOGFONTW wanted = {};
  wanted.lfCharSet = DEFAULT_CHARSET;
  wcsncpy(wanted.lfFaceName, family, LF_FACESIZE - 1);
  bool found = false;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &wanted, FontFound, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

}  // namespace

struct CaptionText::Impl {
  cairo_t *cairo = nullptr;
  CaptionStyle style;
  cairo_font_face_t *face = nullptr;
  double size = 0;  // mm
  std::vector<std::string> lines;

  double Width(const std::string &text) {
    cairo_text_extents_t extents;
    cairo_text_extents(cairo, text.c_str(), &extents);
    return extents.x_advance;
  }
  void Use() {
    cairo_set_font_face(cairo, face);
    cairo_set_font_size(cairo, size);
  }
};

CaptionText::CaptionText(cairo_t *cairo, const CaptionStyle &style) : impl_(new Impl) {
  impl_->cairo = cairo;
  impl_->style = style;
  // The system's Chinese font; the named family where it is missing (Wine
  // with Debian's fonts).
  LOGFONTW font = {};
  font.lfHeight = -100;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = ANTIALIASED_QUALITY;
  const wchar_t *family = L"Microsoft YaHei";
  if (!FontInstalled(family)) family = FontInstalled(L"SimSun") ? L"SimSun" : nullptr;
  if (family) {
    wcsncpy(font.lfFaceName, family, LF_FACESIZE - 1);
  } else {
    MultiByteToWideChar(CP_UTF8, 0, style.family.c_str(), -1, font.lfFaceName, LF_FACESIZE - 1);
  }
  impl_->face = cairo_win32_font_face_create_for_logfontw(&font);
  cairo_font_options_t *options = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_set_font_options(cairo, options);
  cairo_font_options_destroy(options);
}

CaptionText::~CaptionText() { cairo_font_face_destroy(impl_->face); }

bool CaptionText::Fit(const std::string &utf8, double width, double &height) {
  Impl &d = *impl_;
  const std::string text = ValidUtf8(utf8);
  d.lines.clear();
  for (double pt = d.style.largestPt; pt >= d.style.smallestPt; pt -= kStepPt) {
    d.size = pt * kMmPerPt;
    d.Use();
    if (d.Width(text) <= width) {
      d.lines.push_back(text);
      break;
    }
  }
  if (d.lines.empty()) {
    // Wrapped at the smallest size: at the last space that fits, or between
    // characters inside a word wider than the label.
    size_t start = 0;
    while (start < text.size()) {
      if (static_cast<int>(d.lines.size()) == d.style.mostLines) return false;
      size_t end = start, lastSpace = std::string::npos;
      while (end < text.size()) {
        size_t next = end + 1;
        while (next < text.size() && (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80)
          ++next;
        if (d.Width(text.substr(start, next - start)) > width && end > start) break;
        if (text[end] == ' ') lastSpace = end;
        end = next;
      }
      if (end < text.size() && lastSpace != std::string::npos && lastSpace > start) end = lastSpace;
      d.lines.push_back(text.substr(start, end - start));
      start = end;
      while (start < text.size() && text[start] == ' ') ++start;
    }
  }
  cairo_font_extents_t extents;
  cairo_font_extents(d.cairo, &extents);
  height = extents.height * static_cast<double>(d.lines.size());
  return true;
}

void CaptionText::Draw(double centreX, double top) {
  Impl &d = *impl_;
  d.Use();
  cairo_font_extents_t extents;
  cairo_font_extents(d.cairo, &extents);
  double baseline = top + extents.ascent;
  for (const std::string &line : d.lines) {
    cairo_move_to(d.cairo, centreX - d.Width(line) / 2, baseline);
    cairo_show_text(d.cairo, line.c_str());
    baseline += extents.height;
  }
}

}  // namespace qrsheets
