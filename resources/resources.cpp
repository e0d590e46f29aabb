#include "resources/resources.h"

namespace orbalta::resources {

namespace embedded {
#define ORBALTA_EMBEDDED(symbol)       \
  extern const unsigned char symbol[]; \
  extern const std::size_t symbol##_size;
ORBALTA_EMBEDDED(orbalta_rc)
ORBALTA_EMBEDDED(icon104_ico)
ORBALTA_EMBEDDED(icon109_ico)
ORBALTA_EMBEDDED(icon110_ico)
ORBALTA_EMBEDDED(icon115_ico)
ORBALTA_EMBEDDED(bitmap113_bmp)
#undef ORBALTA_EMBEDDED
}  // namespace embedded

std::string_view templateScript() {
  return {reinterpret_cast<const char*>(embedded::orbalta_rc), embedded::orbalta_rc_size};
}

std::span<const unsigned char> icon(int resourceId) {
  using namespace embedded;
  switch (resourceId) {
    case 104:
      return {icon104_ico, icon104_ico_size};
    case 109:
      return {icon109_ico, icon109_ico_size};
    case 110:
      return {icon110_ico, icon110_ico_size};
    case 115:
      return {icon115_ico, icon115_ico_size};
    default:
      return {};
  }
}

std::span<const unsigned char> bitmap(int resourceId) {
  if (resourceId != 113) return {};
  return {embedded::bitmap113_bmp, embedded::bitmap113_bmp_size};
}

}  // namespace orbalta::resources
