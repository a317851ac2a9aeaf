#include "app_driver_batch.h"

#include <vector>

namespace appdriver {

namespace {

const std::wstring kForty = L"abcdefghijabcdefghijabcdefghij0123456789";  // version 3 at L
const std::wstring kTooLarge = L"二维码需要 232×232 像素，大于图像 200×200";

// Level L, automatic version, 200 x 200: the window's defaults.
void DefaultSettings(const App &app) {
  SendMessageW(app.Control("组合框_纠错1"), CB_SETCURSEL, 0, 0);
  SendMessageW(app.Control("组合框_版本1"), CB_SETCURSEL, 0, 0);
  app.SetText("编辑框4", L"200");
  app.SetText("编辑框3", L"200");
}

// Runs the batch over `lines` and waits for its report; the box's text and
// its place on the screen.
bool RunBatchToReport(const App &app, const std::vector<std::wstring> &lines, std::wstring &report,
                      RECT &box) {
  std::wstring input;
  for (const std::wstring &line : lines) input += line + L"\r\n";
  app.SetText("编辑框1", input);
  app.Click("按钮2");
  HWND dialog = nullptr;
  if (!Check(WaitFor([&] { return (dialog = app.FindDialog()) != nullptr; }, 60000),
             "end-of-batch report shown")) {
    return false;
  }
  GetWindowRect(dialog, &box);
  return Check(app.AnswerMessageBox(report), "end-of-batch report answered");
}

void CheckContains(const std::wstring &text, const std::wstring &part, const std::string &what) {
  Check(text.find(part) != std::wstring::npos,
        what + ": \"" + Utf8(part) + "\" not in \"" + Utf8(text) + "\"");
}

bool PreviewEmpty(const App &app) { return DarkPixelsIn(app.Control("图片框1")) == 0; }

}  // namespace

void CheckSingleTooLarge(const App &app, const std::wstring &exe) {
  const std::wstring preview = exe.substr(0, exe.find_last_of(L'\\')) + L"\\a.jpg";
  DefaultSettings(app);
  Check(!PreviewEmpty(app), "preview shows a symbol before 生成");
  app.SetText("编辑框123456", kForty);
  app.Click("按钮3");
  std::wstring text;
  if (Check(app.AnswerMessageBox(text), "生成 of a symbol too large is answered")) {
    CheckEqual(text, kTooLarge, "生成 says why the symbol does not fit");
  }
  Check(!FileExists(preview), "生成 writes no a.jpg for a symbol too large");
  Check(WaitFor([&] { return PreviewEmpty(app); }, 5000),
        "生成 of a symbol too large empties the preview");
}

void CheckBatchFaults(const App &app, const std::wstring &destination, FILE *manifest) {
  DefaultSettings(app);
  const std::wstring url = L"https://example.com/p?id=42";  // version 2: exactly 200 pixels
  const std::vector<std::wstring> lines = {L"产品一\t" + url,      kForty,
                                           L"pair\tfirst content", L"PAIR\tsecond content",
                                           L"pair\tfirst content", L"缺少的文件夹\\x"};
  std::wstring report;
  RECT box;
  if (!RunBatchToReport(app, lines, report, box)) return;

  CheckEqual(app.Text("透明标签6"), L"3",
             "lines written with a TAB, a symbol too large and a taken name");
  CheckEqual(app.Text("透明标签12"), L"100%", "batch with faults runs to its end");
  CheckContains(report, L"共 3 行", "failed lines counted");
  CheckContains(report, L"第 2 行 \"" + kForty + L"\": " + kTooLarge, "symbol too large reported");
  CheckContains(report, L"第 4 行 \"PAIR\\x09second content\": 文件名已被第 3 行使用",
                "taken name reported");
  CheckContains(report, L"第 6 行 \"缺少的文件夹\\\\x\": 文件无法写入：", "failed write reported");
  const size_t reason = report.find(L"文件无法写入：");
  Check(reason != std::wstring::npos && reason + 7 < report.size() && report[reason + 7] != L'\r',
        "failed write says the system's reason");
  if (reason != std::wstring::npos)
    std::printf("failed write: %s\n", Utf8(report.substr(reason)).c_str());
  Check(!FileExists(destination + L"\\" + kForty + L".jpg"), "no file for a symbol too large");

  std::fprintf(manifest, "destination\t%s\t%s\tL\n", Hex(Gbk(L"产品一.jpg")).c_str(),
               Hex(Gbk(url)).c_str());
  std::fprintf(manifest, "destination\t%s\t%s\tL\n", Hex("pair.jpg").c_str(),
               Hex("first content").c_str());
}

void CheckLongReport(const App &app) {
  std::vector<std::wstring> lines;
  for (int i = 0; i < 4; ++i) lines.push_back(std::wstring(1500, L'码'));  // 3,000 GBK bytes
  for (int i = 0; i < 3; ++i)
    lines.push_back(L"*" + std::wstring(2999, static_cast<wchar_t>(L'a' + i)));  // no file name
  for (int i = 0; i < 3; ++i)
    lines.push_back(std::wstring(2998, static_cast<wchar_t>(L'n' + i)) + L"\tx");  // name too long
  std::wstring report;
  RECT box;
  if (!RunBatchToReport(app, lines, report, box)) return;

  CheckContains(report, L"共 10 行", "ten failed lines counted");
  CheckContains(report, L"第 10 行", "tenth line listed");
  Check(report.size() < 2000,
        "report lines are cut, " + std::to_string(report.size()) + " characters");
  const int width = box.right - box.left, height = box.bottom - box.top;
  Check(width <= 1024 && height <= 768,
        "report box fits 1024 x 768, is " + std::to_string(width) + " x " + std::to_string(height));
  Check(box.left >= 0 && box.top >= 0 && box.right <= GetSystemMetrics(SM_CXSCREEN) &&
            box.bottom <= GetSystemMetrics(SM_CYSCREEN),
        "report box lies on the screen at " + std::to_string(box.left) + "," +
            std::to_string(box.top));
  std::printf("report box %d x %d at %ld,%ld\n", width, height, box.left, box.top);
}

}  // namespace appdriver
