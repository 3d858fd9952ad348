#include "runtime/ui/system/cjk_faces.h"

namespace rt {

// Debian's Arphic fonts, found through fontconfig: the Ming face is the Song face's
// counterpart, the Kai face the regular script's.
const CjkFaces& InstalledCjkFaces() {
  static const CjkFaces kFaces = {" AR PL UMing CN", " AR PL UKai CN"};
  return kFaces;
}

}  // namespace rt
