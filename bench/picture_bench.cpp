#include <benchmark/benchmark.h>

#include "forms/picture.h"
#include "forms/picture_layout.h"
#include "tests/resource_files.h"

namespace {

struct Diagram {
  const char* file;
  int panel_width, panel_height;
};

// Each diagram with its panel, as the window first paints it.
const Diagram kDiagrams[] = {
    {"star_connection.jpg", 200, 168},      {"delta_connection.jpg", 200, 168},
    {"open_delta_voltage.jpg", 256, 134},   {"voltage_differential.jpg", 184, 134},
    {"neutral_line_current.jpg", 256, 134}, {"bridge_differential.jpg", 256, 134},
};

void BM_DecodeDiagram(benchmark::State& state) {
  const Diagram& diagram = kDiagrams[state.range(0)];
  const picture_test::Bytes file = picture_test::ReadResource(diagram.file);
  for (auto _ : state) benchmark::DoNotOptimize(forms::DecodePicture(file));
  state.SetLabel(diagram.file);
}
BENCHMARK(BM_DecodeDiagram)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

void BM_ScaleDiagramToPanel(benchmark::State& state) {
  const Diagram& diagram = kDiagrams[state.range(0)];
  const forms::Image image = *forms::DecodePicture(picture_test::ReadResource(diagram.file));
  const forms::Rect fit =
      forms::FitRectangle(diagram.panel_width, diagram.panel_height, image.width, image.height);
  for (auto _ : state) benchmark::DoNotOptimize(forms::ScaleImage(image, fit.width, fit.height));
  state.SetLabel(diagram.file);
}
BENCHMARK(BM_ScaleDiagramToPanel)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

// The whole first paint of a panel: decode, then lay out for "fit".
void BM_FirstPaintOfPanel(benchmark::State& state) {
  const Diagram& diagram = kDiagrams[state.range(0)];
  const picture_test::Bytes file = picture_test::ReadResource(diagram.file);
  for (auto _ : state) {
    const std::optional<forms::Image> image = forms::DecodePicture(file);
    benchmark::DoNotOptimize(forms::LayoutPicture(*image, diagram.panel_width, diagram.panel_height,
                                                  forms::PictureMode::kFit));
  }
  state.SetLabel(diagram.file);
}
BENCHMARK(BM_FirstPaintOfPanel)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

}  // namespace
