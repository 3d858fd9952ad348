// The measured bank as typed into a grid: cells read as a bank only when every one holds a
// capacitance, the empty and the refused named apart; a spreadsheet's block split as the
// spreadsheet wrote it.
#include "calc/model/measured_grid.h"

#include <gtest/gtest.h>

namespace {

using calc::CalculationPage;

calc::BankShape StarOfTwo() { return calc::ShapeOf(CalculationPage::kOpenDeltaPage, 2, 1).value(); }

TEST(MeasuredGridTest, CellsReadAsABankOnlyWhenComplete) {
  const calc::BankShape shape = StarOfTwo();
  std::vector<std::string> cells = {"3.31", " 3.32 ", "3.33", "3.34", "3.35", "3.36"};
  calc::GridReading reading = calc::ReadGrid(shape, cells);
  ASSERT_TRUE(reading.bank);
  EXPECT_EQ(reading.bank->capacitances[1], 3.32);
  EXPECT_EQ(calc::GridCells(*reading.bank)[1], "3.32") << "the texts read back as typed";

  cells[0] = "";
  cells[2] = "0";
  cells[3] = "-3.3";
  cells[4] = "3.3x";
  cells[5] = "inf";
  reading = calc::ReadGrid(shape, cells);
  EXPECT_FALSE(reading.bank);
  EXPECT_EQ(reading.empty, std::vector<size_t>{0});
  EXPECT_EQ(reading.refused, (std::vector<size_t>{2, 3, 4, 5}));

  reading = calc::ReadGrid(shape, {});  // a grid not yet laid out
  EXPECT_FALSE(reading.bank);
  EXPECT_EQ(reading.empty.size(), shape.UnitCount());
}

TEST(MeasuredGridTest, ABlockSplitsIntoRowsOfFields) {
  using Rows = std::vector<std::vector<std::string>>;
  EXPECT_EQ(calc::BlockRows("1\t2\r\n3\t4\r\n"), (Rows{{"1", "2"}, {"3", "4"}}));
  EXPECT_EQ(calc::BlockRows("1\t\t3\n\n5"), (Rows{{"1", "", "3"}, {""}, {"5"}}))
      << "empty fields and lines keep their places";
  EXPECT_EQ(calc::BlockRows("3.3"), (Rows{{"3.3"}}));
  EXPECT_TRUE(calc::BlockRows("").empty());
}

TEST(MeasuredGridTest, PositionsNamedUpToALimit) {
  const calc::BankShape shape = StarOfTwo();
  const std::vector<size_t> indices = {0, 1, 2, 5};
  EXPECT_EQ(calc::PositionList(shape, indices, 8), "A相1串1号、A相1串2号、B相1串1号、C相1串2号");
  EXPECT_EQ(calc::PositionList(shape, indices, 2), "A相1串1号、A相1串2号 等 4 处");
}

}  // namespace
