#include "framework/components/Filer.h"

namespace wdx {

TFiler::~TFiler() = default;

}  // namespace wdx
