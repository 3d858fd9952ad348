// Skin preview for skin authors: capcalc_skin_preview [--no-aero] OUT.png NUMBER...
// Shows a window laid out like the calculator's first page, themes it through the built
// SkinEngine.so with each embedded skin in turn and writes what was drawn to OUT.png: one
// skin at full size, several as a grid at half size. Needs a display (Xvfb will do).

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Output.H>
#include <FL/Fl_Tabs.H>
#include <FL/fl_draw.H>
#include <dlfcn.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "skin/skin_data.h"

namespace {

constexpr int kWidth = 650, kHeight = 460;

// Sources are compiled with GBK narrow literals; the toolkit wants UTF-8.
const char* U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

// A captioned group frame whose caption sits on the top line.
class GroupFrame : public Fl_Group {
 public:
  GroupFrame(int x, int y, int w, int h, const char8_t* caption)
      : Fl_Group(x, y, w, h, U8(caption)) {
    box(FL_NO_BOX);
    labeltype(FL_NO_LABEL);  // drawn on the frame below, not where the toolkit puts it
  }

 protected:
  void draw() override {
    fl_font(labelfont(), labelsize());
    const int caption_width = static_cast<int>(fl_width(label())) + 6;
    draw_box(FL_ENGRAVED_FRAME, x(), y() + 7, w(), h() - 7, FL_BACKGROUND_COLOR);
    draw_box(FL_FLAT_BOX, x() + 8, y(), caption_width, 14, FL_BACKGROUND_COLOR);
    fl_color(labelcolor());
    fl_draw(label(), x() + 11, y() + 11);
    draw_children();
  }
};

enum class Kind { kLabel, kInput, kResult };

struct Field {
  Kind kind;
  const char8_t* text;
  int x, y, w, h;
};

// Page 1 of the calculator, positions relative to each group.
constexpr Field kInputs[] = {
    {Kind::kLabel, u8"电容器额定电压", 16, 32, 88, 24},
    {Kind::kInput, u8"6.35", 110, 32, 56, 24},
    {Kind::kLabel, u8"kV", 179, 31, 32, 24},
    {Kind::kLabel, u8"电容组CT变比", 210, 33, 88, 24},
    {Kind::kInput, u8"600", 295, 34, 56, 24},
    {Kind::kLabel, u8"电容器组容量", 17, 70, 88, 24},
    {Kind::kInput, u8"3000", 109, 71, 56, 24},
    {Kind::kLabel, u8"kvar", 181, 68, 32, 24},
    {Kind::kLabel, u8"电容器组接线形式", 17, 105, 100, 24},
    {Kind::kLabel, u8"电抗率", 17, 135, 88, 24},
    {Kind::kInput, u8"5", 110, 136, 56, 24},
    {Kind::kLabel, u8"%", 184, 135, 32, 24},
    {Kind::kLabel, u8"补偿前功率因数", 208, 134, 88, 24},
    {Kind::kInput, u8"0.8", 298, 135, 56, 24},
    {Kind::kLabel, u8"系统电压", 17, 174, 88, 24},
    {Kind::kInput, u8"10", 110, 173, 56, 24},
    {Kind::kLabel, u8"kV", 185, 173, 32, 24},
    {Kind::kLabel, u8"补偿后功率因数", 208, 173, 88, 24},
    {Kind::kInput, u8"0.95", 298, 174, 56, 24},
    {Kind::kLabel, u8"系统频率", 16, 208, 88, 24},
    {Kind::kInput, u8"50", 109, 209, 56, 24},
    {Kind::kLabel, u8"Hz", 185, 209, 32, 24},
    {Kind::kLabel, u8"有功功率", 208, 210, 88, 24},
    {Kind::kInput, u8"2000", 278, 211, 56, 24},
    {Kind::kLabel, u8"kW", 344, 211, 24, 24},
};

constexpr Field kResults[] = {
    {Kind::kLabel, u8"电容器额定电流", 8, 20, 88, 24},
    {Kind::kResult, u8"157.4803", 103, 21, 56, 24},
    {Kind::kLabel, u8"A", 169, 20, 16, 24},
    {Kind::kLabel, u8"电容运行基波电流", 191, 22, 114, 24},
    {Kind::kResult, u8"173.2051", 289, 23, 56, 24},
    {Kind::kLabel, u8"瞬时保护电流二次定值", 381, 24, 123, 24},
    {Kind::kResult, u8"4.330127", 525, 24, 56, 24},
    {Kind::kLabel, u8"A", 592, 24, 16, 24},
    {Kind::kLabel, u8"电容器角内电流", 7, 45, 88, 24},
    {Kind::kResult, u8"0", 103, 45, 56, 24},
    {Kind::kLabel, u8"A", 170, 46, 16, 24},
    {Kind::kLabel, u8"电容组输出容量", 199, 47, 88, 24},
    {Kind::kResult, u8"2500", 289, 47, 56, 24},
    {Kind::kLabel, u8"kvar", 349, 45, 24, 24},
    {Kind::kLabel, u8"限时保护电流二次定值", 381, 47, 123, 24},
    {Kind::kResult, u8"2.165064", 525, 47, 56, 24},
    {Kind::kLabel, u8"容抗Xc", 8, 69, 88, 24},
    {Kind::kResult, u8"13.44167", 103, 68, 56, 24},
    {Kind::kLabel, u8"调谐频率", 198, 71, 58, 24},
    {Kind::kResult, u8"223.6068", 289, 71, 56, 24},
    {Kind::kLabel, u8"瞬时保护差电流二次定值", 381, 72, 139, 24},
    {Kind::kResult, u8"0.5", 525, 70, 56, 24},
    {Kind::kLabel, u8"感抗XL", 8, 95, 88, 24},
    {Kind::kResult, u8"0.672083", 103, 92, 56, 24},
    {Kind::kLabel, u8"无功补偿容量", 199, 94, 81, 24},
    {Kind::kResult, u8"842.6", 289, 94, 56, 24},
    {Kind::kLabel, u8"限时保护差电流二次定值", 381, 95, 139, 24},
    {Kind::kResult, u8"0.3", 525, 93, 56, 24},
};

void AddFields(const Fl_Group& group, const Field* fields, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const Field& f = fields[i];
    const int x = group.x() + f.x, y = group.y() + f.y;
    if (f.kind == Kind::kLabel) {
      auto* label = new Fl_Box(x, y, f.w, f.h, U8(f.text));
      label->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
      if (std::strcmp(U8(f.text), U8(u8"电容器角内电流")) == 0) label->labelcolor(FL_RED);
      continue;
    }
    Fl_Input* input =
        f.kind == Kind::kInput ? new Fl_Input(x, y, f.w, f.h) : new Fl_Output(x, y, f.w, f.h);
    input->value(U8(f.text));
    if (f.kind == Kind::kResult) input->textcolor(fl_rgb_color(0, 0, 255));
  }
}

void AddDiagram(int x, int y, int w, int h) {
  auto* picture = new Fl_Box(x, y, w, h, U8(u8"接线图"));
  picture->box(FL_BORDER_BOX);
  picture->color(FL_WHITE);
}

Fl_Double_Window* BuildWindow() {
  auto* window = new Fl_Double_Window(kWidth, kHeight, U8(u8"电容器相关计算"));
  auto* tabs = new Fl_Tabs(0, 0, kWidth, 440);
  auto* page = new Fl_Group(0, 24, kWidth, 416, U8(u8"电容参数计算"));
  auto* inputs = new GroupFrame(16, 32, 376, 248, u8"电容器参数输入");
  AddFields(*inputs, kInputs, std::size(kInputs));
  auto* connection = new Fl_Choice(inputs->x() + 126, inputs->y() + 107, 74, 20);
  connection->add(U8(u8"星形接线"));
  connection->add(U8(u8"角形接线"));
  connection->value(0);
  inputs->end();
  AddDiagram(395, 40, 200, 168);
  new Fl_Button(445, 248, 88, 32, U8(u8"计算"));
  auto* results = new GroupFrame(16, 296, 616, 128, u8"电容器计算参数");
  AddFields(*results, kResults, std::size(kResults));
  results->end();
  page->end();
  for (const char8_t* title :
       {u8"开口三角电压计算", u8"电压差动计算", u8"不平衡电流计算", u8"桥式差电流计算"}) {
    (new Fl_Group(0, 24, kWidth, 416, U8(title)))->end();
  }
  tabs->end();
  auto* banner = new Fl_Box(
      0, 441, 830, 16,
      U8(u8"本软件根据电力行业电力电容器标准化技术委员会的“并联电容器装置技术及应用”编制。"));
  banner->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
  banner->labelcolor(fl_rgb_color(0, 0, 255));
  window->end();
  return window;
}

using SetAero = int32_t (*)(int32_t);
using AttachRes = int32_t (*)(const uint8_t*, int32_t, const char*, int32_t, int32_t, int32_t);

struct Engine {
  SetAero set_aero;
  AttachRes attach_res;
};

bool LoadEngine(Engine* engine) {
  void* library = dlopen(SKIN_ENGINE_FILE, RTLD_NOW | RTLD_LOCAL);
  if (!library) return false;
  engine->set_aero = reinterpret_cast<SetAero>(dlsym(library, "SkinEngine_SetAero"));
  engine->attach_res = reinterpret_cast<AttachRes>(dlsym(library, "SkinEngine_AttachRes"));
  return engine->set_aero && engine->attach_res;
}

// The window as drawn, as packed RGB rows.
std::vector<uint8_t> Capture(Fl_Window* window) {
  window->redraw();
  for (int i = 0; i < 10; ++i) Fl::wait(0.05);
  Fl::flush();
  window->make_current();
  std::unique_ptr<uchar[]> pixels(fl_read_image(nullptr, 0, 0, kWidth, kHeight));
  return {pixels.get(), pixels.get() + kWidth * kHeight * 3};
}

// Several captures side by side, three to a row, each halved by averaging 2 x 2 pixels.
std::vector<uint8_t> Sheet(const std::vector<std::vector<uint8_t>>& shots, int* width,
                           int* height) {
  const int columns = std::min<int>(3, static_cast<int>(shots.size()));
  const int rows = (static_cast<int>(shots.size()) + columns - 1) / columns;
  const int cell_w = kWidth / 2, cell_h = kHeight / 2;
  *width = columns * cell_w;
  *height = rows * cell_h;
  std::vector<uint8_t> sheet(static_cast<size_t>(*width) * *height * 3, 255);
  for (size_t n = 0; n < shots.size(); ++n) {
    const int left = static_cast<int>(n) % columns * cell_w,
              top = static_cast<int>(n) / columns * cell_h;
    for (int y = 0; y < cell_h; ++y) {
      for (int x = 0; x < cell_w; ++x) {
        for (int c = 0; c < 3; ++c) {
          auto at = [&](int dx, int dy) {
            return shots[n][((2 * y + dy) * kWidth + 2 * x + dx) * 3 + c];
          };
          sheet[((top + y) * *width + left + x) * 3 + c] =
              static_cast<uint8_t>((at(0, 0) + at(1, 0) + at(0, 1) + at(1, 1) + 2) / 4);
        }
      }
    }
  }
  return sheet;
}

bool WritePng(const char* path, const std::vector<uint8_t>& rgb, int width, int height) {
  FILE* file = std::fopen(path, "wb");
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) png_write_row(png, &rgb[static_cast<size_t>(y) * width * 3]);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  int first = 1;
  const bool aero = !(argc > 1 && std::strcmp(argv[1], "--no-aero") == 0);
  if (!aero) ++first;
  if (argc - first < 2) {
    std::fprintf(stderr, "usage: capcalc_skin_preview [--no-aero] OUT.png NUMBER...\n");
    return 2;
  }
  Engine engine;
  if (!LoadEngine(&engine)) {
    std::fprintf(stderr, "cannot load %s: %s\n", SKIN_ENGINE_FILE, dlerror());
    return 1;
  }
  Fl::set_font(FL_HELVETICA, "AR PL UMing CN");
  FL_NORMAL_SIZE = 12;
  Fl_Window* window = BuildWindow();
  window->show();
  // Shown is not yet mapped and drawn: give the server a moment before the first capture.
  for (int i = 0; i < 20; ++i) Fl::wait(0.05);
  std::vector<std::vector<uint8_t>> shots;
  for (int i = first + 1; i < argc; ++i) {
    const std::span<const uint8_t> bytes = skin::EmbeddedSkin(std::atoi(argv[i]));
    // The program hands the engine a copy that it frees right after the call.
    const std::vector<uint8_t> copy(bytes.begin(), bytes.end());
    engine.set_aero(aero ? 1 : 0);
    if (!engine.attach_res(copy.data(), static_cast<int32_t>(copy.size()), "", 0, 0, 0)) {
      std::fprintf(stderr, "skin %s refused\n", argv[i]);
      return 1;
    }
    shots.push_back(Capture(window));
  }
  int width = kWidth, height = kHeight;
  const std::vector<uint8_t> image = shots.size() == 1 ? shots[0] : Sheet(shots, &width, &height);
  return WritePng(argv[first], image, width, height) ? 0 : 1;
}
