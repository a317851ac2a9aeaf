// The main window, control by control: kind, name, parent, id, position,
// caption and style. The window builder creates the window from this table
// alone; the Windows test driver includes it to find controls by id and to
// check their positions. Texts are UTF-8 here and converted where used.
#pragma once

#include <cstdint>

namespace resources {

enum class ControlKind {
  GroupBox,
  EditBox,
  TransparentLabel,  // draws only its text over the parent's background
  Label,             // opaque, filled with its background colour
  Button,
  ComboBox,  // drop-down list, not editable
  PictureBox,
  Timer,
  FileDialog,
};

// Style flags; which ones apply depends on the kind.
enum ControlStyle : unsigned {
  kPlain = 0,
  kMultiLine = 1u << 0,   // edit box: several lines, both scroll bars
  kCentred = 1u << 1,     // edit box: text centred
  kBorder = 1u << 2,      // picture box: single-line border
  kStretch = 1u << 3,     // picture box: picture scaled to the box
  kLinkFont = 1u << 4,    // label: 12-pixel underlined GB2312 face, hand cursor
  kTextColour = 1u << 5,  // label: text in `colour`
  kBackColour = 1u << 6,  // label: background in `colour`
};

struct ControlLayout {
  ControlKind kind;
  const char *name;              // the name handlers address the control by
  const char *parent;            // nullptr: the main window
  int id;                        // stable control id
  int left, top, width, height;  // relative to the parent's client area
  const char *text;              // caption or default content ("" when empty)
  unsigned style;
  std::uint32_t colour;          // 0x00BBGGRR, see kTextColour / kBackColour
  const char *items;             // combo box: items separated by '\n'
  int selected;                  // combo box: selected item, -1 for none
  int intervalMs;                // timer: tick interval
  const char *defaultExtension;  // file dialog
};

struct WindowLayout {
  const char *className;
  int outerWidth, outerHeight;
  std::uint32_t background;  // 0x00BBGGRR
};

inline constexpr WindowLayout kMainWindow = {"QRBatchMainWindow", 879, 554, 0xFFFFFF};

inline constexpr ControlLayout kMainWindowControls[] = {
    // kind, name, parent, id, L, T, W, H, text, style, colour, items, selected, interval, ext
    {ControlKind::GroupBox, "分组框5", nullptr, 1005, 8, 8, 232, 80, "生成单个内容", kPlain, 0,
     nullptr, -1, 0, nullptr},
    {ControlKind::EditBox, "编辑框123456", "分组框5", 1106, 8, 23, 208, 20, "", kPlain, 0, nullptr,
     -1, 0, nullptr},
    {ControlKind::TransparentLabel, "透明标签9", "分组框5", 1209, 18, 45, 24, 24, "像素", kPlain, 0,
     nullptr, -1, 0, nullptr},
    {ControlKind::EditBox, "编辑框3", "分组框5", 1103, 47, 48, 40, 20, "200", kCentred, 0, nullptr,
     -1, 0, nullptr},
    {ControlKind::Button, "按钮3", "分组框5", 1303, 91, 48, 60, 20, "生成", kPlain, 0, nullptr, -1,
     0, nullptr},
    {ControlKind::Button, "按钮4", "分组框5", 1304, 155, 48, 60, 20, "保存", kPlain, 0, nullptr, -1,
     0, nullptr},

    {ControlKind::GroupBox, "分组框1", nullptr, 1001, 8, 104, 232, 416, "批量转换-待转换内容输入",
     kPlain, 0, nullptr, -1, 0, nullptr},
    {ControlKind::EditBox, "编辑框1", "分组框1", 1101, 10, 25, 208, 383,
     "测试数据\r\n20210706001\r\n20210706002\r\n", kMultiLine, 0, nullptr, -1, 0, nullptr},

    {ControlKind::GroupBox, "分组框2", nullptr, 1002, 256, 8, 232, 88, "保存", kPlain, 0, nullptr,
     -1, 0, nullptr},
    {ControlKind::TransparentLabel, "透明标签1", "分组框2", 1201, 8, 16, 56, 24, "保存位置", kPlain,
     0, nullptr, -1, 0, nullptr},
    {ControlKind::EditBox, "编辑框2", "分组框2", 1102, 8, 40, 184, 20, "", kPlain, 0, nullptr, -1,
     0, nullptr},
    {ControlKind::Button, "按钮1", "分组框2", 1301, 196, 40, 24, 20, "…", kPlain, 0, nullptr, -1, 0,
     nullptr},

    {ControlKind::GroupBox, "分组框4", nullptr, 1004, 256, 104, 232, 128, "二维码参数设置", kPlain,
     0, nullptr, -1, 0, nullptr},
    {ControlKind::TransparentLabel, "透明标签7", "分组框4", 1207, 16, 24, 56, 24, "版本选择",
     kPlain, 0, nullptr, -1, 0, nullptr},
    {ControlKind::ComboBox, "组合框_版本1", "分组框4", 1401, 74, 27, 140, 20, "自动", kPlain, 0,
     nullptr, -1, 0, nullptr},
    {ControlKind::TransparentLabel, "透明标签8", "分组框4", 1208, 16, 54, 56, 24, "纠错级别",
     kPlain, 0, nullptr, -1, 0, nullptr},
    {ControlKind::ComboBox, "组合框_纠错1", "分组框4", 1402, 74, 58, 140, 20, "", kPlain, 0,
     "L(5%)\nM(15%)\nQ(25%)\nH(30%)", 0, 0, nullptr},
    {ControlKind::TransparentLabel, "透明标签10", "分组框4", 1210, 16, 85, 56, 24, "图像大小",
     kPlain, 0, nullptr, -1, 0, nullptr},
    {ControlKind::EditBox, "编辑框4", "分组框4", 1104, 72, 88, 40, 20, "200", kCentred, 0, nullptr,
     -1, 0, nullptr},
    {ControlKind::TransparentLabel, "透明标签11", "分组框4", 1211, 118, 86, 16, 24, "×", kPlain, 0,
     nullptr, -1, 0, nullptr},
    {ControlKind::EditBox, "编辑框5", "分组框4", 1105, 136, 88, 40, 20, "200", kCentred, 0, nullptr,
     -1, 0, nullptr},

    {ControlKind::GroupBox, "分组框3", nullptr, 1003, 256, 240, 232, 120, "数据显示", kPlain, 0,
     nullptr, -1, 0, nullptr},
    {ControlKind::TransparentLabel, "透明标签2", "分组框3", 1202, 16, 16, 80, 24, "数据总数量：",
     kPlain, 0, nullptr, -1, 0, nullptr},
    {ControlKind::TransparentLabel, "透明标签5", "分组框3", 1205, 92, 16, 120, 24, "", kPlain, 0,
     nullptr, -1, 0, nullptr},
    {ControlKind::TransparentLabel, "透明标签3", "分组框3", 1203, 16, 40, 64, 24, "已生成数量：",
     kPlain, 0, nullptr, -1, 0, nullptr},
    {ControlKind::TransparentLabel, "透明标签6", "分组框3", 1206, 92, 40, 120, 24, "", kPlain, 0,
     nullptr, -1, 0, nullptr},
    {ControlKind::TransparentLabel, "透明标签4", "分组框3", 1204, 16, 65, 56, 24, "生成进度：",
     kPlain, 0, nullptr, -1, 0, nullptr},
    {ControlKind::TransparentLabel, "透明标签12", "分组框3", 1212, 92, 64, 120, 24, "", kPlain, 0,
     nullptr, -1, 0, nullptr},
    {ControlKind::Label, "标签1", "分组框3", 1200, 16, 96, 200, 3, "", kBackColour, 0x008000,
     nullptr, -1, 0, nullptr},

    {ControlKind::Button, "按钮2", nullptr, 1302, 408, 366, 80, 20, "批量生成", kPlain, 0, nullptr,
     -1, 0, nullptr},
    {ControlKind::Button, "按钮5", nullptr, 1305, 320, 366, 80, 20, "选项…", kPlain, 0, nullptr, -1,
     0, nullptr},
    {ControlKind::Button, "按钮6", nullptr, 1306, 256, 366, 56, 20, "导入…", kPlain, 0, nullptr, -1,
     0, nullptr},
    {ControlKind::PictureBox, "图片框1", nullptr, 1501, 496, 14, 370, 370, "", kBorder | kStretch,
     0, nullptr, -1, 0, nullptr},

    {ControlKind::GroupBox, "分组框6", nullptr, 1006, 256, 398, 608, 120,
     "其他信息————请尊重原创作者", kPlain, 0, nullptr, -1, 0, nullptr},
    {ControlKind::TransparentLabel, "透明标签15", "分组框6", 1215, 12, 15, 124, 24,
     "软件当前版本：", kPlain, 0, nullptr, -1, 0, nullptr},
    {ControlKind::TransparentLabel, "透明标签16", "分组框6", 1216, 12, 33, 124, 24,
     "软件最新版本：", kPlain, 0, nullptr, -1, 0, nullptr},
    {ControlKind::TransparentLabel, "透明标签17", "分组框6", 1217, 12, 51, 180, 24, "软件作者：",
     kPlain, 0, nullptr, -1, 0, nullptr},
    {ControlKind::TransparentLabel, "透明标签20", "分组框6", 1220, 12, 69, 236, 24, "北京时间：",
     kPlain, 0, nullptr, -1, 0, nullptr},
    {ControlKind::TransparentLabel, "透明标签13", "分组框6", 1213, 10, 88, 110, 24,
     "Quillmoor帖子链接：", kPlain, 0, nullptr, -1, 0, nullptr},
    {ControlKind::TransparentLabel, "透明标签14", "分组框6", 1214, 118, 89, 475, 24, "未获取到数据",
     kLinkFont | kTextColour, 0xFF0000, nullptr, -1, 0, nullptr},
    {ControlKind::PictureBox, "图片框2", "分组框6", 1502, 392, 11, 208, 71, "", kPlain, 0, nullptr,
     -1, 0, nullptr},

    {ControlKind::Timer, "时钟1", nullptr, 1601, 0, 0, 0, 0, "", kPlain, 0, nullptr, -1, 500,
     nullptr},
    {ControlKind::FileDialog, "通用对话框1", nullptr, 1701, 0, 0, 0, 0, ".jpg", kPlain, 0, nullptr,
     -1, 0, "jpg"},
};

constexpr bool SameControlName(const char *a, const char *b) {
  while (*a != '\0' && *a == *b) ++a, ++b;
  return *a == *b;
}

// The row of the named control, or nullptr. Usable at compile time, so
// names written elsewhere can be checked against this table.
constexpr const ControlLayout *FindControlLayout(const char *name) {
  for (const ControlLayout &control : kMainWindowControls)
    if (SameControlName(control.name, name)) return &control;
  return nullptr;
}

constexpr bool IsControlOfKind(const char *name, ControlKind kind) {
  const ControlLayout *control = FindControlLayout(name);
  return control != nullptr && control->kind == kind;
}

inline const ControlLayout *FindControlLayout(int id) {
  for (const ControlLayout &control : kMainWindowControls)
    if (control.id == id) return &control;
  return nullptr;
}

}  // namespace resources
