// Caption lines through cairo's win32 font face (GDI finds the font, as it
// did for the GDI text stack that measured the lines; cairo embeds the
// glyphs it uses as a subset font). Glyphs follow each other by their
// advances; each line is set whole as it was laid out.
#include <windows.h>

#include <cairo-win32.h>

#include <cwchar>

#include "label_caption.h"

namespace qrsheets {

namespace {

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

struct CaptionPen::Impl {
  cairo_t *cairo = nullptr;
  cairo_font_face_t *face = nullptr;
};

CaptionPen::CaptionPen(cairo_t *cairo) : impl_(new Impl) {
  impl_->cairo = cairo;
  // The system's Chinese font; the caption font where it is missing (Wine
  // with Debian's fonts): the GDI text stack's order.
  LOGFONTW font = {};
  font.lfHeight = -100;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = ANTIALIASED_QUALITY;
  const wchar_t *family = L"Microsoft YaHei";
  if (!FontInstalled(family)) family = FontInstalled(L"SimSun") ? L"SimSun" : nullptr;
  if (family) {
    wcsncpy(font.lfFaceName, family, LF_FACESIZE - 1);
  } else {
    MultiByteToWideChar(CP_UTF8, 0, qrcaption::kCaptionFont, -1, font.lfFaceName, LF_FACESIZE - 1);
  }
  impl_->face = cairo_win32_font_face_create_for_logfontw(&font);
  cairo_font_options_t *options = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_set_font_options(cairo, options);
  cairo_font_options_destroy(options);
}

CaptionPen::~CaptionPen() { cairo_font_face_destroy(impl_->face); }

void CaptionPen::Draw(const qrcaption::CaptionLayout &layout, double centreX, double top) {
  Impl &d = *impl_;
  cairo_set_font_face(d.cairo, d.face);
  cairo_set_font_size(d.cairo, layout.size * kMmPerCaptionUnit);
  const double lineHeight = layout.lineHeight * kMmPerCaptionUnit;
  double baseline = top + layout.ascent * kMmPerCaptionUnit;
  for (const qrcaption::CaptionLine &line : layout.lines) {
    cairo_move_to(d.cairo, centreX - line.width * kMmPerCaptionUnit / 2, baseline);
    cairo_show_text(d.cairo, line.text.c_str());
    baseline += lineHeight;
  }
}

}  // namespace qrsheets
