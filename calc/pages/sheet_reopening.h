// A saved calculation sheet put back into the window: its page selected and each input box
// given the text the sheet recorded, as if the user had typed it. Nothing is calculated:
// the results stay as they were until the user clicks "计算".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "calc/sheet/saved_sheet.h"

namespace calc {

// The boxes a calculation of the page and variant reads, the connection's on page 1.
std::vector<uint32_t> InputBoxesOf(CalculationPage page, Variant variant);

// Why the sheet cannot be put back (GBK), empty when it has been. A sheet that names a box
// its page does not read changes nothing.
std::string PutBackSavedSheet(const SavedSheet& sheet);

// The file at the path (GBK) read and put back; why not, empty when it has been.
std::string ReopenSheetFile(const std::string& gbk_path);

}  // namespace calc
