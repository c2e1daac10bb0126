#include "app/EmbeddedForm.h"

#include "app/FormClasses.h"
#include "framework/components/Reader.h"
#include "framework/controls/Application.h"
#include "framework/rtl/Streams.h"

namespace wdx {

void ReadFormStream(TComponent& form, const std::vector<uint8_t>& stream) {
  RegisterFormClasses();
  TMemoryStream source(stream);
  TReader reader(source);
  reader.SetGlobalScope(&Application());
  reader.ReadRootComponent(&form);
}

}  // namespace wdx
